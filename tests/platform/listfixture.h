#pragma once

#include "platform/listmodel.h"
#include "platform/listview.h"
#include "testruntime.h"

#include <QAbstractItemModelTester>
#include <QWidget>

#include <initializer_list>
#include <string>
#include <vector>

namespace listtest {

// A list view on a plain host, its model watched by Qt's model tester throughout.
struct ListFixture {
    testing_support::TestRuntime rt;
    QWidget host;
    tk::ListView* list = new tk::ListView(&host, "ListView");
    QAbstractItemModelTester tester{&list->model(), QAbstractItemModelTester::FailureReportingMode::Fatal};

    // Columns as the song tables have them: row text, then sub-items 1 to n-1.
    void columns(std::initializer_list<const char*> headers) {
        for (const char* h : headers) {
            list->addColumn(h, 1000);
        }
    }
    std::vector<std::string> column(int c) const {
        std::vector<std::string> out;
        for (int r = 1; r <= list->count(); ++r) {
            out.push_back(c == 0 ? list->text(r) : list->subItem(r, c));
        }
        return out;
    }
};

using Texts = std::vector<std::string>;

} // namespace listtest
