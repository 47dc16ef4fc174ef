#include "import/ImportTexts.h"

namespace importer {

std::string listIndexOutOfBounds(std::size_t position)
{
    return "List index out of bounds (" + std::to_string(position) + ")";
}

} // namespace importer
