#include "browse/songmarks.h"

#include "browse/songcolumns.h"
#include "platform/listview.h"

namespace {
constexpr tk::OleColor kQueuedColor = 255;
} // namespace

std::unordered_set<std::string> queuedRecordNumbers(const tk::ListView& songList) {
    std::unordered_set<std::string> queued;
    const int rows = songList.count();
    for (int i = 1; i <= rows; ++i) {
        if (songList.bold(i, 0)) {
            queued.insert(songList.subItem(i, songcol::kRecord));
        }
    }
    return queued;
}

void markQueuedRows(tk::ListView& list, const std::unordered_set<std::string>& queued, int recordColumn,
                    int first, int last) {
    if (queued.empty()) {
        return;
    }
    const int rows = list.count();
    for (int j = 1; j <= rows; ++j) {
        if (queued.count(list.subItem(j, recordColumn)) != 0) {
            for (int c = first; c <= last; ++c) {
                list.setBold(j, c, true);
                list.setForeColor(j, c, kQueuedColor);
            }
        }
    }
}
