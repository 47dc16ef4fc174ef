// DataSource1: the link between the sheet query and its data-aware controls
// (the preview grid and the navigator). The query itself sends no
// notifications, so whoever changes it behind the controls' back (the sheet
// and sort handlers, the conversion run) tells the link, and the controls
// change it only through the link's operations.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

namespace workbook {
class Query;
}

namespace pages {

// The question before a row is deleted (OK/Cancel).
inline const char* const kDeleteRecordQuestion = "Delete record?";

// A data-aware control: what the link tells it.
class DataLinkListener {
  public:
    virtual ~DataLinkListener() = default;
    // Re-read everything (fields, rows, current row).
    virtual void dataSetReset() = 0;
    // The current row, the row count or the edit state may have changed.
    virtual void recordMoved() = 0;
    // Before an operation a cell editor still open hands its text over (as
    // when it loses the focus), so that Post stores what was typed; before a
    // Cancel it is closed without handing anything over.
    virtual void commitEditor() {}
    virtual void discardEditor() {}
};

class DataSource {
  public:
    // Runs an action that may throw common::Error, reports the error, and
    // returns false when the action failed. The window hands in its guard.
    using Guard = std::function<bool(const std::function<void()>&)>;
    // Asks "Delete record?"; true for OK.
    using ConfirmDelete = std::function<bool()>;

    // The query must outlive the link.
    explicit DataSource(workbook::Query& query) : m_query(query) {}
    DataSource(const DataSource&) = delete;
    DataSource& operator=(const DataSource&) = delete;

    workbook::Query& query() const { return m_query; }

    // Listeners are told in the order they were added; each must be removed
    // before it goes.
    void addListener(DataLinkListener& listener);
    void removeListener(DataLinkListener& listener);

    bool isEnabled() const { return m_enabled; }
    // Off: the controls show nothing and ignore the query's row moves. On
    // again: they show the query as it is now.
    void setEnabled(bool on);
    // Enabled and the query open: the controls show the query.
    bool isActive() const;

    void setGuard(Guard guard) { m_guard = std::move(guard); }
    void setConfirmDelete(ConfirmDelete confirm) { m_confirmDelete = std::move(confirm); }

    // Notifications for changes made directly on the query. Ignored while off.
    void dataSetChanged(); // opened, closed, sorted, re-read
    void recordChanged();  // cursor moved or edit state changed
    // True while the controls are being told of a change: a control's own
    // reaction to it (a view moving its current cell) is not a user's move.
    bool isNotifying() const { return m_notifying > 0; }

    // The controls' operations. Each runs through the guard, so a refusal of
    // the data layer shows in the error box; each returns false on failure.
    bool first();
    bool prior();
    bool next();
    bool last();
    bool moveTo(std::size_t row);
    bool insert();
    // Asks "Delete record?" first; Cancel keeps the row (and returns false).
    bool remove();
    bool edit();
    bool post();
    bool cancel();
    bool refresh();
    // Sets one cell of a row (text in the system code page), starting an edit
    // of that row when none runs.
    bool setCellText(std::size_t row, std::size_t field, const std::string& text);
    // Leaving a row finishes its edit: an inserted row nobody filled in is
    // dropped, anything else is posted.
    bool checkBrowseMode();
    // Drops an inserted row that is still unchanged (the grid losing focus).
    void cancelUnchangedInsert();

  private:
    enum class OpenEditor { Commit, Discard, Keep };
    bool run(const std::function<void()>& action, bool rowSetChanged, OpenEditor editor = OpenEditor::Commit);
    void finishEdit();
    // Tells every listener; notify() also counts as notifying meanwhile.
    void notify(void (DataLinkListener::*what)());
    void tell(void (DataLinkListener::*what)());

    workbook::Query& m_query;
    std::vector<DataLinkListener*> m_listeners;
    bool m_enabled = true;
    int m_notifying = 0;
    Guard m_guard;
    ConfirmDelete m_confirmDelete;
};

} // namespace pages
