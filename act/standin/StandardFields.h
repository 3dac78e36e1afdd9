#pragma once

#include "act/ContactFields.h"

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
    {"company", ContactField::Company, "Company"},
    {"name", ContactField::Name, "Contact"},
    {"address1", ContactField::Address1, "Address 1"},
    {"address2", ContactField::Address2, "Address 2"},
    {"address3", ContactField::Address3, "Address 3"},
    {"city", ContactField::City, "City"},
    {"zip", ContactField::Zip, "Zip"},
    {"state", ContactField::State, "State"},
    {"phone", ContactField::Phone, "Phone"},
    {"fax", ContactField::Fax, "Fax"},
    {"mobile", ContactField::Mobile, "Mobile Phone"},
    {"pager", ContactField::Pager, "Pager"},
    {"title", ContactField::Title, "Title"},
    {"assistant", ContactField::Assistant, "Assistant"},
    {"extension", ContactField::Extension, "Phone Ext."},
    {"email", ContactField::Email, "E-mail"},
}};

} // namespace act::standin
