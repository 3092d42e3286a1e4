#include "appearance/skinfiles.h"

#include "app/designlayout.h"
#include "platform/pathcase.h"
#include "platform/picture.h"
#include "platform/runtime.h"

#include <QString>

#include <algorithm>

namespace {

void addName(std::vector<std::string>& names, std::string_view name) {
    if (name.empty()) {
        return;
    }
    const QString n = QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size()));
    const bool known = std::any_of(names.begin(), names.end(), [&](const std::string& have) {
        return QString::fromStdString(have).compare(n, Qt::CaseInsensitive) == 0;
    });
    if (!known) {
        names.emplace_back(name);
    }
}

void addElements(std::vector<std::string>& names, std::span<const layout::Element> group) {
    for (const layout::Element& e : group) {
        addName(names, e.picture);
        for (std::string_view other : e.otherPictures) {
            addName(names, other);
        }
    }
}

} // namespace

std::vector<std::string> stationSkinFiles() {
    std::vector<std::string> names;
    addName(names, layout::kForm1.picture);
    addName(names, layout::kForm2.picture);
    for (const auto group : layout::kForm1Groups) {
        addElements(names, group);
    }
    addElements(names, layout::kForm2Elements);
    for (const layout::PixelPicture& p :
         {layout::kWheelLeftArrow, layout::kWheelRightArrow, layout::kWheelBack, layout::kWheelStrip}) {
        addName(names, std::string(layout::kWheelFolder) + "/" + std::string(p.name));
    }
    return names;
}

std::vector<UnusableSkinFile> unusableSkinFiles(const std::filesystem::path& programFolder,
                                                tk::PictureLoader& pictures) {
    std::vector<UnusableSkinFile> unusable;
    for (const std::string& name : stationSkinFiles()) {
        const auto path = programFolder / "Skin" / name;
        if (!tk::resolveIgnoringCase(path)) {
            unusable.push_back({name, true});
        } else if (!pictures.tryLoad(path)) {
            unusable.push_back({name, false});
        }
    }
    return unusable;
}

std::string unusableSkinMessage(const std::filesystem::path& programFolder,
                                const std::vector<UnusableSkinFile>& unusable) {
    std::string text = "The station cannot start: these pictures of its \"Skin\" folder (" +
                       (programFolder / "Skin").string() + ") are missing or cannot be read:\n";
    for (const UnusableSkinFile& file : unusable) {
        text += "\n" + file.name + (file.missing ? " (missing)" : " (not a picture)");
    }
    return text;
}
