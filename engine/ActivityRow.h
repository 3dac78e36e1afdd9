#pragma once

#include <QDateTime>
#include <QString>

// One stored occurrence of an activity for one selected user, formatted for the page.
// The display texts are ready for data.js (escaped for HTML where they come from the
// database, then by Check); the raw values beside them feed the e-mail link, which needs
// its own escaping.
struct ActivityRow {
    QString ActivityId;
    bool Timeless = false;
    bool Cleared = false;
    QDateTime StartTime;
    QDateTime EndTime;
    QString TimeText;
    QString AlarmText;
    QString TypeCode;
    QString PriorityText;
    QString RecurringFlag;
    QString RegardingText;
    QString DetailsText;
    QString ColorText;
    QString ScheduledForText;
    QString ClearedText;
    QString AlsoWithText;
    QString ContactText;
    QString TitleText;
    QString CompanyText;
    QString AddressText;
    QString CityText;
    QString PhoneText;
    QString EmailText;
    QString AssistantText;
    QString FaxText;
    QString CellularText;
    QString PagerText;
    QString CustomText;

    // Raw values for the e-mail link.
    QString EmailAddress; // empty unless the address is shown
    QString Regarding;
    QString Details;
    QString StartText; // start and end of the time text, without markup
    QString EndText;
};
// Growing the row list moves the rows bytewise instead of member by member.
Q_DECLARE_TYPEINFO(ActivityRow, Q_RELOCATABLE_TYPE);
