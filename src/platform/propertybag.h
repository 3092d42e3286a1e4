#pragma once

#include "platform/picture.h"

#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <variant>

namespace tk {

// The stored properties of one placed user control, as its host window keeps them. Every read names
// the default the control uses when nothing is stored; every write names the default too, and a value
// equal to it is not stored (so a control's stored set holds only what differs from its defaults).
class PropertyBag {
public:
    using Value = std::variant<bool, std::int64_t, std::string, Picture>;

    [[nodiscard]] bool readBool(std::string_view name, bool defaultValue) const;
    [[nodiscard]] std::int64_t readInt(std::string_view name, std::int64_t defaultValue) const;
    [[nodiscard]] std::string readString(std::string_view name, std::string_view defaultValue) const;
    // Pictures default to none.
    [[nodiscard]] Picture readPicture(std::string_view name) const;

    void writeBool(std::string_view name, bool value, bool defaultValue);
    void writeInt(std::string_view name, std::int64_t value, std::int64_t defaultValue);
    void writeString(std::string_view name, std::string_view value, std::string_view defaultValue);
    // No picture is the default and is not stored.
    void writePicture(std::string_view name, const Picture& picture);

    [[nodiscard]] bool contains(std::string_view name) const;
    [[nodiscard]] std::size_t size() const { return m_values.size(); }

private:
    const Value* find(std::string_view name) const;
    void store(std::string_view name, Value value, bool isDefault);

    std::map<std::string, Value, std::less<>> m_values;
};

} // namespace tk
