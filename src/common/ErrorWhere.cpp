#include "common/ErrorWhere.h"

namespace common {

void Error::setWhere(const ErrorWhere& where)
{
    if (!m_where) {
        m_where = std::make_shared<const ErrorWhere>(where);
        return;
    }
    ErrorWhere merged = *m_where;
    if (merged.input.empty())
        merged.input = where.input;
    if (merged.line == 0)
        merged.line = where.line;
    if (merged.action == ErrorWhere::Action::None) {
        merged.action = where.action;
        merged.target = where.target;
    }
    m_where = std::make_shared<const ErrorWhere>(std::move(merged));
}

const char* actionText(ErrorWhere::Action action)
{
    using Action = ErrorWhere::Action;
    switch (action) {
    case Action::None:
        break;
    case Action::Open:
        return "cannot open";
    case Action::Read:
        return "cannot read";
    case Action::Append:
        return "cannot append to";
    case Action::Write:
        return "cannot write";
    case Action::Close:
        return "cannot close";
    case Action::MakeFolder:
        return "cannot make folder";
    case Action::EnterFolder:
        return "cannot enter folder";
    }
    return "";
}

std::string describeError(const Error& error)
{
    const std::string message = error.what();
    std::string text;
    if (const ErrorWhere* where = error.where()) {
        if (!where->input.empty()) {
            text += where->input;
            if (where->line != 0)
                text += ':' + std::to_string(where->line);
            text += ": ";
        }
        if (where->action != ErrorWhere::Action::None) {
            if (where->target.empty())
                text += std::string(actionText(where->action)) + ": ";
            else if (message.find(where->target) == std::string::npos)
                text += std::string(actionText(where->action)) + ' ' + where->target + ": ";
        }
    }
    if (error.kind() == Error::Kind::Io && !error.systemText().empty())
        return text + error.systemText() + " (" + message + ")";
    return text + message;
}

} // namespace common
