#include "platform/propertybag.h"

namespace tk {

const PropertyBag::Value* PropertyBag::find(std::string_view name) const {
    auto it = m_values.find(name);
    return it == m_values.end() ? nullptr : &it->second;
}

void PropertyBag::store(std::string_view name, Value value, bool isDefault) {
    if (isDefault) {
        if (auto it = m_values.find(name); it != m_values.end()) {
            m_values.erase(it);
        }
        return;
    }
    m_values.insert_or_assign(std::string(name), std::move(value));
}

// A stored value of another type than the one asked for reads as the default.
bool PropertyBag::readBool(std::string_view name, bool defaultValue) const {
    const Value* v = find(name);
    const bool* b = v ? std::get_if<bool>(v) : nullptr;
    return b ? *b : defaultValue;
}

std::int64_t PropertyBag::readInt(std::string_view name, std::int64_t defaultValue) const {
    const Value* v = find(name);
    const std::int64_t* i = v ? std::get_if<std::int64_t>(v) : nullptr;
    return i ? *i : defaultValue;
}

std::string PropertyBag::readString(std::string_view name, std::string_view defaultValue) const {
    const Value* v = find(name);
    const std::string* s = v ? std::get_if<std::string>(v) : nullptr;
    return s ? *s : std::string(defaultValue);
}

Picture PropertyBag::readPicture(std::string_view name) const {
    const Value* v = find(name);
    const Picture* p = v ? std::get_if<Picture>(v) : nullptr;
    return p ? *p : Picture();
}

void PropertyBag::writeBool(std::string_view name, bool value, bool defaultValue) {
    store(name, value, value == defaultValue);
}

void PropertyBag::writeInt(std::string_view name, std::int64_t value, std::int64_t defaultValue) {
    store(name, value, value == defaultValue);
}

void PropertyBag::writeString(std::string_view name, std::string_view value, std::string_view defaultValue) {
    store(name, std::string(value), value == defaultValue);
}

void PropertyBag::writePicture(std::string_view name, const Picture& picture) {
    store(name, picture, picture.isNull());
}

bool PropertyBag::contains(std::string_view name) const {
    return find(name) != nullptr;
}

} // namespace tk
