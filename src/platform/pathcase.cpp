#include "platform/pathcase.h"

#include "library/songpath.h"

#include <QString>

#include <string>
#include <system_error>

namespace tk {

namespace fs = std::filesystem;

fs::path nativePath(std::string_view path) {
    const bool windows = library::isWindowsPath(path);
    // Collapse doubled separators that joining "folder\" and "\name" produces.
    std::string out;
    out.reserve(path.size());
    for (char c : path) {
        if (c == '\\' && windows) {
            c = '/';
        }
        if (c == '/' && !out.empty() && out.back() == '/') {
            continue;
        }
        out.push_back(c);
    }
    return fs::path(out);
}

fs::path underFolder(const fs::path& folder, std::string_view name) {
    fs::path out = folder;
    while (!name.empty()) {
        const std::size_t cut = name.find_first_of("\\/");
        if (cut != 0) {
            out /= std::string(name.substr(0, cut));
        }
        name = cut == std::string_view::npos ? std::string_view() : name.substr(cut + 1);
    }
    return out;
}

std::optional<fs::path> resolveIgnoringCase(const fs::path& path) {
    std::error_code ec;
    if (fs::exists(path, ec)) {
        return path;
    }
    fs::path current = path.root_path();
    fs::path rest = path.relative_path();
    if (current.empty()) {
        current = ".";
    }
    bool first = true;
    for (const fs::path& part : rest) {
        if (part.empty()) {
            continue;
        }
        fs::path exact = (first && path.root_path().empty()) ? part : current / part;
        if (first && path.root_path().empty()) {
            exact = fs::path(".") / part;
        }
        first = false;
        if (fs::exists(exact, ec)) {
            current = exact;
            continue;
        }
        const QString wanted = QString::fromStdString(part.string());
        std::optional<fs::path> match;
        for (fs::directory_iterator it(current, ec), end; !ec && it != end; it.increment(ec)) {
            const QString name = QString::fromStdString(it->path().filename().string());
            if (name.compare(wanted, Qt::CaseInsensitive) == 0) {
                match = it->path();
                break;
            }
        }
        if (!match) {
            return std::nullopt;
        }
        current = *match;
    }
    if (path.root_path().empty()) {
        // Give back a relative path when a relative one was asked for.
        return current.lexically_relative(".");
    }
    return current;
}

} // namespace tk
