#pragma once

namespace act {
class Views;
}

// Refresh ACT!'s Daywise contact-screen tab and view-bar view so they show the new calendar;
// a view ACT! does not have is skipped silently.
void UpdateTab(act::Views& views);
void UpdateView(act::Views& views);
