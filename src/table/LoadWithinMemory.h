// A workbook reader's whole load, with running out of memory turned into the
// reader's refusal: counts in a damaged or hostile file can ask for more
// than there is, and that must give the data layer's message, not end the
// program.
#pragma once

#include "common/Error.h"

#include <new>
#include <string>
#include <utility>

namespace table {

template <typename Load> void loadWithinMemory(const std::string& refusal, Load&& load)
{
    try {
        std::forward<Load>(load)();
    } catch (const std::bad_alloc&) {
        throw common::Error(refusal);
    }
}

} // namespace table
