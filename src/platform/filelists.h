#pragma once

#include "platform/color.h"
#include "platform/control.h"
#include "platform/listbox.h"

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

class QComboBox;

namespace tk {

// True when `name` matches one of the patterns of a list such as "*.mp3;*.mp2": "*" stands for any
// run of characters, "?" for one character, letter case is ignored (ASCII letters), and "*.*" or an
// empty list matches every name.
[[nodiscard]] bool matchesPattern(std::string_view name, std::string_view patterns);

// The plain files of a folder whose names match `patterns`, sorted by name ignoring letter case.
// Hidden files (names starting with a dot) are left out; an unreadable folder has none.
[[nodiscard]] std::vector<std::string> listFiles(const std::filesystem::path& folder,
                                                 std::string_view patterns);
// The subfolders of a folder by name, sorted the same way, without hidden ones.
[[nodiscard]] std::vector<std::string> listFolders(const std::filesystem::path& folder);

// The roots a drive box offers on this system: "/", the user's home folder, then the media mounted
// under /media, /mnt and /run/media as the mount table (/proc/self/mounts text) lists them.
[[nodiscard]] std::vector<std::string> driveRoots(const std::string& home, std::string_view mountTable);

// A drive box: a drop-down list of the roots files can be picked from. `drive` is the chosen root;
// setting it to a path picks the root that holds the path. Change is raised whenever the chosen root
// changes, by the user or by the program.
class DriveListBox : public Control {
    Q_OBJECT
public:
    explicit DriveListBox(QWidget* parent, std::string name = {}, int index = -1);

    std::string drive() const;
    // Raises runtime error 68 ("Device unavailable") for a text that is no absolute path.
    void setDrive(const std::string& drive);
    int listCount() const;
    std::string list(int index) const;
    int listIndex() const;
    void setListIndex(int index);
    // Reads the mounted media again (also done each time the list drops down).
    void refresh();

    OleColor backColor() const { return m_backColor; }
    void setBackColor(OleColor color);

    Event<> change;

private:
    class Combo;
    void choose(int index);
    Combo* m_combo;
    int m_chosen = -1; // the root the box stands on, as the last Change told
    OleColor m_backColor = kSysWindow;
};

// A folder box: the chosen folder with the folders above it, then its subfolders. A double-click or
// Enter on a folder opens it. Change is raised whenever the path changes, by the user or the program.
// Numbering as in the old folder box: List(-1) is the open folder, List(-2) the one above it and so
// on; List(0) to List(ListCount - 1) are the subfolders, as full paths.
class DirListBox : public ListBoxBase {
    Q_OBJECT
public:
    explicit DirListBox(QWidget* parent, std::string name = {}, int index = -1);

    const std::string& path() const { return m_path; }
    // Takes an absolute path (a relative one is taken from the current folder). Raises runtime error
    // 76 ("Path not found") when there is no such folder; a folder that cannot be read shows empty.
    void setPath(const std::string& path);
    void refresh();
    int listCount() const;
    std::string list(int index) const;
    int listIndex() const;
    void setListIndex(int index);

    Event<> change;

protected:
    bool entryActivated(int entry) override;

private:
    void fill();
    std::string m_path;
    std::vector<std::string> m_paths; // full path of every entry shown
    int m_openEntry = 0;              // the entry of the open folder
};

// A file box: the files of a folder whose names match a pattern such as "*.mp3;*.mp2". Dragging the
// chosen file out carries it as a file URL, as files dragged from the desktop do.
class FileListBox : public ListBoxBase {
    Q_OBJECT
public:
    explicit FileListBox(QWidget* parent, std::string name = {}, int index = -1);

    const std::string& path() const { return m_path; }
    // As DirListBox::setPath; the list is read again.
    void setPath(const std::string& path);
    const std::string& pattern() const { return m_pattern; }
    void setPattern(const std::string& pattern);
    // Reads the folder again; the chosen file stays chosen while it is still listed.
    void refresh();

    int listCount() const { return entryCount(); }
    std::string list(int index) const { return entry(index); }
    int listIndex() const { return selectedEntry(); }
    void setListIndex(int index) { setListIndexWithClick(index); }
    // The chosen file's name (no folder), or empty.
    std::string fileName() const { return entry(selectedEntry()); }

    std::unique_ptr<QMimeData> dragData() const override;

    Event<> pathChange;
    Event<> patternChange;

private:
    std::string m_path;
    std::string m_pattern = "*.*";
};

} // namespace tk
