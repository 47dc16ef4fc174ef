#include "pages/DataSource.h"

#include "workbook/Query.h"

#include <algorithm>
#include <exception>

namespace pages {

using State = workbook::Query::State;

void DataSource::addListener(DataLinkListener& listener)
{
    m_listeners.push_back(&listener);
}

void DataSource::removeListener(DataLinkListener& listener)
{
    m_listeners.erase(std::remove(m_listeners.begin(), m_listeners.end(), &listener), m_listeners.end());
}

void DataSource::setEnabled(bool on)
{
    if (on == m_enabled)
        return;
    m_enabled = on;
    // Both ways the controls start over: blank when off, the query's present
    // rows and cursor when on (a run may have moved it to the end meanwhile).
    notify(&DataLinkListener::dataSetReset);
}

void DataSource::notify(void (DataLinkListener::*what)())
{
    struct Counter {
        int& count;
        explicit Counter(int& c) : count(c) { ++count; }
        ~Counter() { --count; }
    } counter(m_notifying);
    tell(what);
}

void DataSource::tell(void (DataLinkListener::*what)())
{
    // By position: a listener may come or go while it is being told.
    for (std::size_t index = 0; index < m_listeners.size(); ++index)
        (m_listeners[index]->*what)();
}

bool DataSource::isActive() const
{
    return m_enabled && m_query.isOpen();
}

void DataSource::dataSetChanged()
{
    if (m_enabled)
        notify(&DataLinkListener::dataSetReset);
}

void DataSource::recordChanged()
{
    if (m_enabled)
        notify(&DataLinkListener::recordMoved);
}

bool DataSource::run(const std::function<void()>& action, bool rowSetChanged, OpenEditor editor)
{
    if (!isActive())
        return false;
    if (editor == OpenEditor::Commit)
        tell(&DataLinkListener::commitEditor);
    else if (editor == OpenEditor::Discard)
        tell(&DataLinkListener::discardEditor);
    bool ok = false;
    if (m_guard) {
        ok = m_guard(action);
    } else {
        // Without a window's guard an error must still not reach the event loop.
        try {
            action();
            ok = true;
        } catch (const std::exception&) {
            ok = false;
        }
    }
    // Part of the action may have happened before a refusal, so the controls
    // re-read in either case.
    if (rowSetChanged)
        dataSetChanged();
    else
        recordChanged();
    return ok;
}

void DataSource::finishEdit()
{
    const State state = m_query.state();
    if (state == State::Insert && m_query.insertedRowUnchanged())
        m_query.cancel();
    else if (state == State::Edit || state == State::Insert)
        m_query.post();
}

bool DataSource::checkBrowseMode()
{
    return run([this] { finishEdit(); }, false);
}

void DataSource::cancelUnchangedInsert()
{
    if (!isActive() || m_query.state() != State::Insert || !m_query.insertedRowUnchanged())
        return;
    run([this] { m_query.cancel(); }, false, OpenEditor::Keep);
}

bool DataSource::first()
{
    return run(
        [this] {
            finishEdit();
            m_query.first();
        },
        false);
}

bool DataSource::prior()
{
    return run(
        [this] {
            finishEdit();
            m_query.prior();
        },
        false);
}

bool DataSource::next()
{
    return run(
        [this] {
            finishEdit();
            m_query.next();
        },
        false);
}

bool DataSource::last()
{
    return run(
        [this] {
            finishEdit();
            m_query.last();
        },
        false);
}

bool DataSource::moveTo(std::size_t row)
{
    return run(
        [this, row] {
            // Choosing the row one is on is not a move: it keeps an edit
            // going and leaves the cursor flags alone.
            if (row == m_query.currentRow())
                return;
            finishEdit();
            m_query.moveTo(row);
        },
        false);
}

bool DataSource::insert()
{
    return run(
        [this] {
            finishEdit();
            m_query.insert();
        },
        false);
}

bool DataSource::remove()
{
    if (!isActive())
        return false;
    // Nothing is deleted unless someone could be asked first.
    if (!m_confirmDelete || !m_confirmDelete())
        return false;
    return run([this] { m_query.remove(); }, false);
}

bool DataSource::edit()
{
    // Also called while the user types into a cell editor, which stays open.
    return run([this] { m_query.edit(); }, false, OpenEditor::Keep);
}

bool DataSource::post()
{
    return run([this] { m_query.post(); }, false);
}

bool DataSource::cancel()
{
    return run([this] { m_query.cancel(); }, false, OpenEditor::Discard);
}

bool DataSource::refresh()
{
    return run(
        [this] {
            finishEdit();
            m_query.refresh();
        },
        true);
}

bool DataSource::setCellText(std::size_t row, std::size_t field, const std::string& text)
{
    return run(
        [&] {
            if (row != m_query.currentRow()) {
                finishEdit();
                m_query.moveTo(row);
            }
            if (m_query.state() == State::Browse)
                m_query.edit();
            m_query.setCellText(field, text);
        },
        // This is the editor handing its text over.
        false, OpenEditor::Keep);
}

} // namespace pages
