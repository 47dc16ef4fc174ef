// fault_post: one post from a process of its own, for the fault suite
// (faults.py). Opens the workbook through the data layer as the window
// does, sets one cell of one row and posts it.
//
// Usage: fault_post WORKBOOK TABLE ROW FIELD TEXT [--wait]
// With --wait it prints "ready" once the workbook is open and the row is in
// edit, and posts only when a line arrives on its input, so that a test can
// start several posts on the same reading of the file. Exit status: 0
// posted, 1 refused (the error on stderr), 2 wrong usage.
#include "common/Clock.h"
#include "common/CodePage.h"
#include "common/Error.h"
#include "common/FileSizeLimit.h"
#include "common/RegionalSettings.h"
#include "workbook/Connection.h"
#include "workbook/ConnectionString.h"
#include "workbook/Query.h"
#include "workbook/Statement.h"

#include <iostream>
#include <string>

int main(int argc, char** argv)
{
    common::letFileSizeLimitFailWrites();
    if (argc < 6 || argc > 7 || (argc == 7 && std::string(argv[6]) != "--wait")) {
        std::cerr << "usage: fault_post WORKBOOK TABLE ROW FIELD TEXT [--wait]\n";
        return 2;
    }
    const std::string path = argv[1];
    try {
        workbook::Connection connection(common::CodePage(65001), common::RegionalSettings{},
                                        common::fixedYear(2026));
        connection.setConnectionString(workbook::connectionStringFor(path));
        connection.setLoginPrompt(false);
        connection.open();
        workbook::Query query(connection);
        query.setStatement(workbook::selectAllFrom(argv[2]));
        query.open();
        query.moveTo(std::stoul(argv[3]));
        query.edit();
        query.setCellText(query.fieldIndex(argv[4]), argv[5]);
        if (argc == 7) {
            std::cout << "ready" << std::endl;
            std::string go;
            std::getline(std::cin, go);
        }
        query.post();
    } catch (const common::Error& error) {
        std::cerr << error.what() << '\n';
        return 1;
    }
    return 0;
}
