#include "platform/filelists.h"

#include "platform/errors.h"
#include "platform/textcompare.h"

#include <QComboBox>
#include <QMimeData>
#include <QStyleOptionComboBox>
#include <QStylePainter>
#include <QUrl>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <sstream>

namespace tk {

namespace fs = std::filesystem;

namespace {

unsigned char foldAscii(unsigned char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<unsigned char>(c | 0x20) : c;
}

// Length of the UTF-8 character starting at `i` (1 for a stray byte).
std::size_t charLength(std::string_view s, std::size_t i) {
    const auto b = static_cast<unsigned char>(s[i]);
    std::size_t n = 1;
    if ((b & 0xE0) == 0xC0) {
        n = 2;
    } else if ((b & 0xF0) == 0xE0) {
        n = 3;
    } else if ((b & 0xF8) == 0xF0) {
        n = 4;
    }
    if (i + n > s.size()) {
        return 1;
    }
    for (std::size_t k = 1; k < n; ++k) {
        if ((static_cast<unsigned char>(s[i + k]) & 0xC0) != 0x80) {
            return 1;
        }
    }
    return n;
}

bool matchesGlob(std::string_view name, std::string_view glob) {
    // Greedy matching with one backtrack point for the last "*": linear in practice.
    std::size_t n = 0;
    std::size_t g = 0;
    std::size_t starG = std::string_view::npos;
    std::size_t starN = 0;
    while (n < name.size()) {
        if (g < glob.size() && glob[g] == '*') {
            starG = g++;
            starN = n;
        } else if (g < glob.size() && glob[g] == '?') {
            ++g;
            n += charLength(name, n);
        } else if (g < glob.size() && foldAscii(static_cast<unsigned char>(glob[g])) ==
                                          foldAscii(static_cast<unsigned char>(name[n]))) {
            ++g;
            ++n;
        } else if (starG != std::string_view::npos) {
            g = starG + 1;
            starN += charLength(name, starN);
            n = starN;
        } else {
            return false;
        }
    }
    while (g < glob.size() && glob[g] == '*') {
        ++g;
    }
    return g == glob.size();
}

std::string_view trimmed(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) {
        s.remove_prefix(1);
    }
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) {
        s.remove_suffix(1);
    }
    return s;
}

bool byNameIgnoringCase(const std::string& a, const std::string& b) {
    const int c = compareIgnoringCase(a, b);
    return c != 0 ? c < 0 : a < b;
}

std::vector<std::string> listEntries(const fs::path& folder, bool folders, std::string_view patterns) {
    std::vector<std::string> names;
    std::error_code ec;
    fs::directory_iterator it(folder, fs::directory_options::skip_permission_denied, ec);
    for (; !ec && it != fs::directory_iterator(); it.increment(ec)) {
        std::string name = it->path().filename().string();
        if (name.empty() || name.front() == '.') {
            continue;
        }
        std::error_code typeError;
        const bool wanted = folders ? it->is_directory(typeError)
                                    : it->is_regular_file(typeError) && matchesPattern(name, patterns);
        if (wanted && !typeError) {
            names.push_back(std::move(name));
        }
    }
    std::sort(names.begin(), names.end(), byNameIgnoringCase);
    return names;
}

// An existing folder as an absolute, normal path without a trailing separator.
std::string existingFolder(const std::string& path) {
    std::error_code ec;
    fs::path p = path.empty() ? fs::path() : fs::absolute(fs::path(path), ec).lexically_normal();
    if (p.empty() || ec || !fs::is_directory(p, ec)) {
        throw RuntimeError(err::kPathNotFound, "Path not found");
    }
    std::string s = p.string();
    while (s.size() > 1 && s.back() == '/') {
        s.pop_back();
    }
    return s;
}

std::string currentFolder() {
    std::error_code ec;
    const fs::path p = fs::current_path(ec);
    return ec ? std::string("/") : p.string();
}

// Mount points are written with octal escapes for blanks, tabs, newlines and backslashes.
std::string unescapeMountPoint(std::string_view s) {
    std::string out;
    for (std::size_t i = 0; i < s.size(); ++i) {
        const auto octal = [&](std::size_t k) { return s[k] >= '0' && s[k] <= '7'; };
        if (s[i] == '\\' && i + 3 < s.size() && octal(i + 1) && octal(i + 2) && octal(i + 3)) {
            out += static_cast<char>((s[i + 1] - '0') * 64 + (s[i + 2] - '0') * 8 + (s[i + 3] - '0'));
            i += 3;
        } else {
            out += s[i];
        }
    }
    return out;
}

bool isUnder(const std::string& path, const std::string& root) {
    if (root == "/") {
        return !path.empty() && path.front() == '/';
    }
    return path == root ||
           (path.size() > root.size() && path.compare(0, root.size(), root) == 0 && path[root.size()] == '/');
}

std::string homeFolder() {
    const char* home = std::getenv("HOME");
    return home && *home ? std::string(home) : std::string("/");
}

std::string readMountTable() {
    std::ifstream in("/proc/self/mounts");
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

} // namespace

bool matchesPattern(std::string_view name, std::string_view patterns) {
    bool any = false;
    while (true) {
        const std::size_t semi = patterns.find(';');
        const std::string_view glob = trimmed(patterns.substr(0, semi));
        if (!glob.empty()) {
            any = true;
            if (glob == "*.*" || matchesGlob(name, glob)) {
                return true;
            }
        }
        if (semi == std::string_view::npos) {
            break;
        }
        patterns.remove_prefix(semi + 1);
    }
    return !any;
}

std::vector<std::string> listFiles(const fs::path& folder, std::string_view patterns) {
    return listEntries(folder, false, patterns);
}

std::vector<std::string> listFolders(const fs::path& folder) {
    return listEntries(folder, true, {});
}

std::vector<std::string> driveRoots(const std::string& home, std::string_view mountTable) {
    std::vector<std::string> roots{"/"};
    if (!home.empty() && home != "/") {
        roots.push_back(home);
    }
    std::vector<std::string> media;
    std::istringstream lines{std::string(mountTable)};
    std::string line;
    while (std::getline(lines, line)) {
        std::istringstream fields(line);
        std::string device, mountPoint;
        if (!(fields >> device >> mountPoint)) {
            continue;
        }
        const std::string point = unescapeMountPoint(mountPoint);
        for (const char* base : {"/media/", "/mnt/", "/run/media/"}) {
            if (point.rfind(base, 0) == 0 && point.size() > std::string_view(base).size()) {
                media.push_back(point);
            }
        }
    }
    std::sort(media.begin(), media.end());
    for (std::string& m : media) {
        if (std::find(roots.begin(), roots.end(), m) == roots.end()) {
            roots.push_back(std::move(m));
        }
    }
    return roots;
}

// Drive box.

class DriveListBox::Combo final : public QComboBox {
public:
    explicit Combo(DriveListBox* owner)
        : m_owner(owner) {}
    void showPopup() override {
        m_owner->refresh();
        QComboBox::showPopup();
    }

protected:
    // The chosen root stands on the box's back colour, as the text of a list does, not on the shaded
    // face the style gives a drop-down button.
    void paintEvent(QPaintEvent*) override {
        QStylePainter painter(this);
        QStyleOptionComboBox option;
        initStyleOption(&option);
        painter.drawComplexControl(QStyle::CC_ComboBox, option);
        const QRect field =
            style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, this);
        painter.fillRect(field, palette().color(QPalette::Base));
        option.palette.setColor(QPalette::ButtonText, palette().color(QPalette::Text));
        painter.drawControl(QStyle::CE_ComboBoxLabel, option);
    }

private:
    DriveListBox* m_owner;
};

DriveListBox::DriveListBox(QWidget* parent, std::string name, int index)
    : Control(parent, std::move(name), index)
    , m_combo(new Combo(this)) {
    m_combo->setEditable(false);
    setFocusProxy(m_combo);
    hostInner(m_combo);
    refresh();
    // Start on the root that holds the current folder, as the old box started on the current drive.
    const std::string current = currentFolder();
    int best = 0;
    for (int i = 0; i < m_combo->count(); ++i) {
        if (isUnder(current, list(i)) && list(i).size() >= list(best).size()) {
            best = i;
        }
    }
    m_combo->setCurrentIndex(best);
    m_chosen = best;
    QObject::connect(m_combo, &QComboBox::activated, this, [this](int i) {
        if (i != m_chosen) {
            m_chosen = i;
            raiseEvent([&] { change(); });
        }
    });
}

void DriveListBox::refresh() {
    const std::string chosen = drive();
    const std::vector<std::string> roots = driveRoots(homeFolder(), readMountTable());
    const QSignalBlocker block(m_combo);
    m_combo->clear();
    int keep = 0;
    for (std::size_t i = 0; i < roots.size(); ++i) {
        m_combo->addItem(QString::fromStdString(roots[i]));
        if (roots[i] == chosen) {
            keep = static_cast<int>(i);
        }
    }
    m_combo->setCurrentIndex(keep);
    m_chosen = keep;
}

std::string DriveListBox::drive() const {
    return m_combo->currentIndex() < 0 ? std::string() : m_combo->currentText().toStdString();
}

void DriveListBox::setDrive(const std::string& drive) {
    if (drive.empty() || drive.front() != '/') {
        throw RuntimeError(err::kDeviceUnavailable, "Device unavailable");
    }
    const std::string path = fs::path(drive).lexically_normal().string();
    int best = -1;
    for (int i = 0; i < listCount(); ++i) {
        if (isUnder(path, list(i)) && (best < 0 || list(i).size() > list(best).size())) {
            best = i;
        }
    }
    if (best < 0) {
        throw RuntimeError(err::kDeviceUnavailable, "Device unavailable");
    }
    choose(best);
}

int DriveListBox::listCount() const {
    return m_combo->count();
}

std::string DriveListBox::list(int index) const {
    if (index < 0 || index >= m_combo->count()) {
        return {};
    }
    return m_combo->itemText(index).toStdString();
}

int DriveListBox::listIndex() const {
    return m_combo->currentIndex();
}

void DriveListBox::setListIndex(int index) {
    if (index < 0 || index >= listCount()) {
        throw RuntimeError(err::kInvalidPropertyValue, "Invalid property value");
    }
    choose(index);
}

void DriveListBox::choose(int index) {
    if (index == m_chosen) {
        return;
    }
    m_combo->setCurrentIndex(index);
    m_chosen = index;
    raiseEvent([&] { change(); });
}

void DriveListBox::setBackColor(OleColor color) {
    m_backColor = color;
    QPalette pal = m_combo->palette();
    pal.setColor(QPalette::Base, toQColor(color));
    pal.setColor(QPalette::Button, toQColor(color));
    m_combo->setPalette(pal);
}

// Folder box.

DirListBox::DirListBox(QWidget* parent, std::string name, int index)
    : ListBoxBase(parent, std::move(name), index)
    , m_path(currentFolder()) {
    fill();
}

void DirListBox::setPath(const std::string& path) {
    const std::string folder = existingFolder(path);
    if (folder == m_path) {
        fill();
        return;
    }
    m_path = folder;
    fill();
    raiseEvent([&] { change(); });
}

void DirListBox::refresh() {
    fill();
}

void DirListBox::fill() {
    std::vector<std::string> shown;
    m_paths.clear();
    // The open folder and the folders above it, each indented one step more than its parent.
    const fs::path open(m_path);
    std::string indent;
    fs::path walked;
    for (const fs::path& part : open) {
        walked /= part;
        const std::string name = part.string();
        if (name.empty()) {
            continue;
        }
        shown.push_back(indent + name);
        m_paths.push_back(walked.lexically_normal().string());
        indent += "    ";
    }
    m_openEntry = static_cast<int>(shown.size()) - 1;
    for (const std::string& sub : listFolders(open)) {
        shown.push_back(indent + sub);
        m_paths.push_back((open / sub).string());
    }
    setEntries(std::move(shown));
    selectEntry(m_openEntry);
}

int DirListBox::listCount() const {
    return entryCount() - m_openEntry - 1;
}

std::string DirListBox::list(int index) const {
    const int e = index + m_openEntry + 1;
    if (e < 0 || e >= static_cast<int>(m_paths.size())) {
        return {};
    }
    return m_paths[static_cast<std::size_t>(e)];
}

int DirListBox::listIndex() const {
    const int e = selectedEntry();
    return e < 0 ? -1 : e - m_openEntry - 1;
}

void DirListBox::setListIndex(int index) {
    const int e = index + m_openEntry + 1;
    if (e < 0 || e >= entryCount()) {
        throw RuntimeError(err::kInvalidPropertyValue, "Invalid property value");
    }
    setListIndexWithClick(e);
}

bool DirListBox::entryActivated(int entry) {
    if (entry < 0 || entry >= static_cast<int>(m_paths.size())) {
        return false;
    }
    const std::string target = m_paths[static_cast<std::size_t>(entry)];
    // A folder that went away since the list was read leaves the box where it is.
    ignoreErrors([&] { setPath(target); });
    return true;
}

// File box.

FileListBox::FileListBox(QWidget* parent, std::string name, int index)
    : ListBoxBase(parent, std::move(name), index)
    , m_path(currentFolder()) {
    refresh();
}

void FileListBox::setPath(const std::string& path) {
    const std::string folder = existingFolder(path);
    const bool changed = folder != m_path;
    m_path = folder;
    refresh();
    if (changed) {
        raiseEvent([&] { pathChange(); });
    }
}

void FileListBox::setPattern(const std::string& pattern) {
    const bool changed = pattern != m_pattern;
    m_pattern = pattern;
    refresh();
    if (changed) {
        raiseEvent([&] { patternChange(); });
    }
}

void FileListBox::refresh() {
    const std::string chosen = fileName();
    std::vector<std::string> files = listFiles(m_path, m_pattern);
    const auto it = chosen.empty() ? files.end() : std::find(files.begin(), files.end(), chosen);
    const int keep = it == files.end() ? -1 : static_cast<int>(it - files.begin());
    setEntries(std::move(files));
    selectEntry(keep);
}

std::unique_ptr<QMimeData> FileListBox::dragData() const {
    const std::string name = fileName();
    if (name.empty()) {
        return nullptr;
    }
    auto data = std::make_unique<QMimeData>();
    data->setUrls({QUrl::fromLocalFile(QString::fromStdString((fs::path(m_path) / name).string()))});
    return data;
}

} // namespace tk
