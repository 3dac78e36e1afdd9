#pragma once

#include <libical/ical.h>
#include <memory>

// Owning handles for libical's C objects, so that every path out of a function frees them.
namespace ical {

struct ComponentFree {
    void operator()(icalcomponent* component) const { icalcomponent_free(component); }
};
using Component = std::unique_ptr<icalcomponent, ComponentFree>;

struct IteratorFree {
    void operator()(icalrecur_iterator* iterator) const { icalrecur_iterator_free(iterator); }
};
using RecurIterator = std::unique_ptr<icalrecur_iterator, IteratorFree>;

struct BufferFree {
    void operator()(char* text) const { icalmemory_free_buffer(text); }
};
using Text = std::unique_ptr<char, BufferFree>;

} // namespace ical
