#pragma once

#include <array>

namespace act::standin {

// The contact fields a fixture names by key, with their ACT! numbers and labels; in number
// order, which is also the default contact field list.
struct StandardField {
    const char* key;
    int number;
    const char* label;
};

inline constexpr std::array<StandardField, 16> StandardContactFields{{
    {"company", 25, "Company"},
    {"name", 26, "Contact"},
    {"address1", 27, "Address 1"},
    {"address2", 28, "Address 2"},
    {"address3", 29, "Address 3"},
    {"city", 30, "City"},
    {"zip", 31, "Zip"},
    {"state", 32, "State"},
    {"phone", 35, "Phone"},
    {"fax", 36, "Fax"},
    {"mobile", 38, "Mobile Phone"},
    {"pager", 39, "Pager"},
    {"title", 46, "Title"},
    {"assistant", 47, "Assistant"},
    {"extension", 80, "Phone Ext."},
    {"email", 200, "E-mail"},
}};

inline constexpr int ContactIdField = 1;
inline constexpr int ContactNameField = 26;

} // namespace act::standin
