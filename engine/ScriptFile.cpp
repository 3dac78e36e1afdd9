#include "ScriptFile.h"

#include "ScriptFileLayout.h"

#include "shell/ProgramState.h"
#include "shell/StringTable.h"

#include <QRegularExpression>

namespace {

constexpr int ForCaption = 132;
constexpr int EmptyDayText = 146;
constexpr int FirstMonthName = 155;
constexpr int FirstWeekdayAbbreviation = 167;
constexpr int FirstEnglishMonthName = 355;
constexpr int FrenchBase = 400;

const char* const FieldClasses[ScriptFileLayout::Fields] = {
    "type",  "priority", "time",      "alarm",   "regarding",    "details", "contact",
    "title", "company",  "phone",     "address", "city",         "fax",     "cell",
    "pager", "email",    "assistant", "custom",  "scheduledfor", "alsowith"};

const char* const TypeIcons[] = {"call", "meeting", "todo"};

// The captions are baked into string literals of the script.
QString escaped(QString text, QChar quote) {
    text.replace(QLatin1Char('\\'), QLatin1String("\\\\"));
    text.replace(quote, QLatin1Char('\\') + quote);
    return text;
}

QString quotedList(const QStringList& names) {
    QStringList quoted;
    for (const QString& name : names)
        quoted.append(QLatin1Char('"') + escaped(name, QLatin1Char('"')) + QLatin1Char('"'));
    return quoted.join(QLatin1Char(','));
}

QStringList namesAt(int firstId, int count) {
    QStringList names;
    for (int k = 0; k < count; ++k)
        names.append(stringAt(firstId + k));
    return names;
}

bool french() {
    return LanguageBase == FrenchBase;
}

// A colour that is not six hex digits would break the banner's markup; the page then keeps
// the program's default.
QString safeColour(const QString& colour) {
    static const QRegularExpression sixHexDigits(QStringLiteral("^[0-9A-Fa-f]{6}$"));
    return sixHexDigits.match(colour).hasMatch() ? colour : QStringLiteral("FFCC00");
}

QString cellLine(const QString& indexes, int column) {
    return QStringLiteral("Cell%1= 'D'+ %2'C%1';").arg(column).arg(indexes);
}

QString activitiesForLine() {
    return QStringLiteral(
               R"(activitiesfor.insertAdjacentHTML("BeforeEnd", Activitytype + ' %1 ' + Users);)")
        .arg(escaped(str(ForCaption), QLatin1Char('\'')));
}

void appendTitle(QStringList& out, bool header) {
    if (header) {
        out << QStringLiteral(R"(Split1=Fdaydate.split(" ");)")
            << QStringLiteral(R"(Split2=Ldaydate.split(" ");)")
            << QStringLiteral("Firstday=parseInt(Split1[2]);")
            << QStringLiteral("Lastday=parseInt(Split2[2]);")
            << QStringLiteral("Tabletag='<table class=title><tr>';")
            << QStringLiteral(
                   R"(Tabletag+='<td width="20%"rowspan="2"><div id=tcellleft><span id=tmonth>' + Fmonthmmm + '</span>';)")
            << QStringLiteral("Tabletag+='<span id=tday>&nbsp;' + Firstday + '</span></div></td>';")
            << QStringLiteral(
                   R"(Tabletag+='<td width="60%"valign="Top"><div id=header>' + Header + '</div></td>';)")
            << QStringLiteral(
                   R"(Tabletag+='<td width="20%"rowspan="2"><div id=tcellright><span id=tday>' + Lastday + '</span>';)")
            << QStringLiteral(
                   "Tabletag+='<span id=tmonth>&nbsp;' + Lmonthmmm + '</span></div></td>';")
            << QStringLiteral("Tabletag+='</tr><tr><td><div id=calendars></div></td></tr>';")
            << QStringLiteral("Tabletag+='<tr><td colspan=3><div id=cellfor>&nbsp;<br><span "
                              "id=activitiesfor></span></div></td></tr></table>'");
    } else {
        out << QStringLiteral("Tabletag='<table class=title><tr>';")
            << QStringLiteral("Tabletag+='<td><div id=cellfor><span "
                              "id=activitiesfor></span></div></td></tr></table>';");
    }
    out << QStringLiteral(R"(calendar.insertAdjacentHTML("BeforeEnd",Tabletag);)")
        << activitiesForLine();
}

void appendDayLoop(QStringList& out, const ScriptFileLayout& layout, const QString& background) {
    out << QStringLiteral("for (i=0; i<Nbdays; i++) {")
        << QStringLiteral("thedate=GetDate(Day[i]);")
        << QStringLiteral("theday=GetWeekDay(Day[i]);")
        << QStringLiteral("Tabletag='<br><br><table class=day bgcolor=#%1><tr>';").arg(background)
        << QStringLiteral(
               "Tabletag+='<td width=20%><div id=dayleft>&nbsp;' + theday + '</div></td>';")
        << QStringLiteral("Tabletag+='<td width=50%><div id=daycenter>&nbsp;</div></td>';")
        << QStringLiteral("Tabletag+='<td width=30%><div id=dayright>' + thedate + "
                          "'&nbsp;</div></td></tr></table>';")
        << QStringLiteral(R"(calendar.insertAdjacentHTML("BeforeEnd", Tabletag);)")
        << QStringLiteral("Tabletag='<table class=acty><td valign=top><div id=D'")
        << QStringLiteral("Tabletag+= i + '></div></td></table>';")
        << QStringLiteral(R"(calendar.insertAdjacentHTML("BeforeEnd", Tabletag);)")
        << QStringLiteral(
               R"(if (Nbactivities[i]==0) document.getElementById('D'+i).insertAdjacentHTML("BeforeEnd","&nbsp;%1");)")
               .arg(escaped(str(EmptyDayText), QLatin1Char('"')))
        << QStringLiteral("for (j=0; j<Nbactivities[i]; j++) {");
    for (int c = 0; c < ScriptFileLayout::Columns; ++c)
        out << cellLine(QStringLiteral("i + 'A' + j + "), c);
    out << QStringLiteral("Tabletag='<table border=0 width=100%><tr>';");
    for (int c = 0; c < ScriptFileLayout::Columns; ++c)
        out << QStringLiteral("Tabletag+='<td class=c%1 width=%2% valign=Top><div id=' + Cell%1 + "
                              "'></div></td>';")
                   .arg(c)
                   .arg(layout.widths[c]);
    out << QStringLiteral("Tabletag+='</tr></table>';")
        << QStringLiteral(
               R"(document.getElementById('D'+i).insertAdjacentHTML("BeforeEnd", Tabletag);)")
        << QStringLiteral("populate(i,j);}}}");
}

void appendTypeIcons(QStringList& out, int iconColumn) {
    for (int type = 0; type < 3; ++type) {
        const QString word = QLatin1String(TypeIcons[type]);
        out << QStringLiteral("if (Activities[f]==%1) {").arg(type)
            << QStringLiteral(
                   R"(document.getElementById(Cell%1).insertAdjacentHTML("BeforeEnd",'<img src=' + prefix + '%2.gif width=16 height=16><br>');)")
                   .arg(iconColumn)
                   .arg(word);
        // Earlier versions wrote these blanks; keeping them keeps script.js byte-identical.
        const QString plus = type == 0 ? QStringLiteral(" + ") : QStringLiteral("+ ");
        out << QStringLiteral(
                   "actid='%1 class=' + Activities[f+1]%2'><font color=#' + Activities[f+21];}%3")
                   .arg(word, plus, type == 2 ? QStringLiteral("}") : QString());
    }
}

void appendPopulate(QStringList& out, const ScriptFileLayout& layout) {
    out << QStringLiteral("function populate(day, act) {") << QStringLiteral("First=GetTotal(i);")
        << QStringLiteral("f= (First+act)* Nbfields;");
    for (int c = 0; c < ScriptFileLayout::Columns; ++c)
        out << cellLine(QStringLiteral("day + 'A' + act + "), c);
    out << QStringLiteral("if (Activities[f+Nbfields-1]!=null) {")
        << QStringLiteral("if(Activities[f+20]==0)  {") << QStringLiteral("prefix='';}")
        << QStringLiteral("else{") << QStringLiteral("prefix='r';}");
    appendTypeIcons(out, layout.columns[0]);
    for (int m : layout.textFieldOrder)
        out << QStringLiteral(
                   R"(if (Activities[f+%1]!="")  document.getElementById(Cell%2).insertAdjacentHTML("BeforeEnd",'<span id=' + actid + '><span class=%3>' + Activities[f+%1] + '</span></font></span><br>');)")
                   .arg(m)
                   .arg(layout.columns[m])
                   .arg(QLatin1String(FieldClasses[m]));
    for (int c = 0; c < ScriptFileLayout::Columns; ++c)
        out << QStringLiteral(
                   R"(document.getElementById(Cell%1).insertAdjacentHTML("BeforeEnd",'<br>&nbsp;');)")
                   .arg(c);
    out << QStringLiteral("}");
}

void appendHelpers(QStringList& out) {
    out << QStringLiteral("function GetTotal(index) {") << QStringLiteral("Total=0;")
        << QStringLiteral("for (i=0; i<index; i++) {") << QStringLiteral("Total+=Nbactivities[i];}")
        << QStringLiteral("return Total;}") << QStringLiteral("function GetDate(thedate) {")
        << QStringLiteral(R"(dat=thedate.substring(thedate.indexOf("~")+1, thedate.length);)")
        << QStringLiteral("return dat;}") << QStringLiteral("function GetWeekDay(thedate) {")
        << QStringLiteral(R"(theday=thedate.substring(0, thedate.indexOf("~"));)")
        << QStringLiteral("return theday;}") << QStringLiteral("function GetMonth(thedate) {")
        << QStringLiteral(
               R"(themonth=thedate.substring(thedate.indexOf("~")+1, thedate.indexOf("~")+4);)")
        << QStringLiteral("return themonth;}") << QStringLiteral("function GetDay(thedate){")
        << QStringLiteral(
               R"(themonth=thedate.substring(thedate.indexOf(" ")+1, thedate.indexOf(",")-2);)")
        << QStringLiteral("return themonth;}") << QStringLiteral("function Read1() {")
        << QStringLiteral("fs = 1;") << QStringLiteral(R"(bg ="#ffcc00";)")
        << QStringLiteral("M = new Array(%1);")
               .arg(quotedList(namesAt(LanguageBase + FirstMonthName, 12)))
        << QStringLiteral("D = new Array(%1);}")
               .arg(quotedList(namesAt(LanguageBase + FirstWeekdayAbbreviation, 7)));
    if (french())
        out << QStringLiteral("MF = new Array(%1);")
                   .arg(quotedList(namesAt(FirstEnglishMonthName, 12)));
}

// The three small calendars start one month before the range when the range fits the middle
// and right calendars, and with the range's first month otherwise; every day of the range is
// marked in the month it belongs to.
void appendGetCal(QStringList& out, bool header) {
    out << QStringLiteral("function getCal() {") << QStringLiteral("Read1();")
        << QStringLiteral("Read();");
    if (!header) {
        out << QStringLiteral("return Tabletag;}");
        return;
    }
    out << QStringLiteral("Tabletag1='<table class=mastercal><tr>';");
    for (const char* id : {"lastcal", "thiscal", "nextcal"})
        out << QStringLiteral("Tabletag1+='<td width=33% valign=top><div id=%1></div></td>';")
                   .arg(QLatin1String(id));
    out << QStringLiteral("Tabletag1+='</tr></table>';")
        << QStringLiteral(R"(calendars.insertAdjacentHTML("BeforeEnd", Tabletag1 );)")
        << QStringLiteral(R"(Splitdate1=Fdaydate.split(" ");)")
        << QStringLiteral("fdy = parseInt(Splitdate1[2]);")
        << QStringLiteral("pmo = parseInt(Splitdate1[1])-1;")
        << QStringLiteral("pyr = parseInt(Splitdate1[0]);")
        << QStringLiteral(R"(Splitdate2=Ldaydate.split(" ");)")
        << QStringLiteral("ldy = parseInt(Splitdate2[2]);")
        << QStringLiteral(
               "lastmo = (parseInt(Splitdate2[0])-pyr)*12 + parseInt(Splitdate2[1])-1-pmo;")
        << QStringLiteral("startmo = (lastmo==0 || (lastmo==1 && !(fdy>10 && ldy>10)))?-1:0;")
        << QStringLiteral(R"(lastcal.insertAdjacentHTML("BeforeEnd", MonthCal(startmo));)")
        << QStringLiteral(R"(thiscal.insertAdjacentHTML("BeforeEnd", MonthCal(startmo+1));)")
        << QStringLiteral(R"(nextcal.insertAdjacentHTML("BeforeEnd", MonthCal(startmo+2));})")
        << QStringLiteral("function MonthCal(k) {") << QStringLiteral("mo = ((pmo+k)%12+12)%12;")
        << QStringLiteral("yr = pyr+Math.floor((pmo+k)/12);")
        << QStringLiteral(R"(bgn = new Date(%1[mo]+" 1,"+yr);)").arg(french() ? "MF" : "M")
        << QStringLiteral("if (k<0 || k>lastmo) return Calendar(bgn,0,0,0);")
        << QStringLiteral("return Calendar(bgn,1,(k==0?fdy:1),(k==lastmo?ldy:31));}");
}

void appendCalendar(QStringList& out) {
    out << QStringLiteral("function Calendar(bgn, cur, min, max){")
        << QStringLiteral("dy = bgn.getDay();") << QStringLiteral("yr = eval(yr);")
        << QStringLiteral(R"(d = "312831303130313130313031";)")
        << QStringLiteral("if ((yr % 4 == 0 && yr % 100 != 0) || yr % 400 == 0) {")
        << QStringLiteral(R"(d = d.substring(0, 2) + "29"+ d.substring(4, d.length);})")
        << QStringLiteral("pos = (mo * 2);")
        << QStringLiteral("ld = eval(d.substring(pos, pos + 2));")
        << QStringLiteral("Tabletag='<table class=cal><tr><td colspan=7><div id=calmonth>';")
        << QStringLiteral("Tabletag+=M[mo] + ' ' + yr + '</div></td></tr><tr><tr>';")
        << QStringLiteral("for (var i = 0;i < 7;i ++) {")
        << QStringLiteral("Tabletag+='<td><div id=caldayweek>' + D[i] + '</div></td>';}")
        << QStringLiteral("Tabletag+='</tr><tr>';") << QStringLiteral("ctr = 0;")
        << QStringLiteral("for (var i = 0;i < 7; i++){") << QStringLiteral("if (i < dy) {")
        << QStringLiteral("Tabletag+='<td><div id=calday>&nbsp;</div></td>';}")
        << QStringLiteral("else {") << QStringLiteral("ctr++;")
        << QStringLiteral("if (cur==1 && (ctr>=min && ctr<max+1)) {")
        << QStringLiteral("Tabletag+='<td><div id=caldayin>' + ctr + '</div></td>';}")
        << QStringLiteral("else {")
        << QStringLiteral("Tabletag+='<td><div id=calday>' + ctr + '</div></td>';}}}")
        << QStringLiteral("Tabletag+='</tr><tr>';") << QStringLiteral("while (ctr < ld) {")
        << QStringLiteral("for (var i = 0;i < 7; i++){") << QStringLiteral("ctr++;")
        << QStringLiteral("if (ctr > ld){")
        << QStringLiteral("Tabletag+='<td><div id=calday>&nbsp;</div></td>';}")
        << QStringLiteral("else {") << QStringLiteral("if (cur==1 && (ctr>=min && ctr<max+1)) {")
        << QStringLiteral("Tabletag+='<td><div id=caldayin>' + ctr + '</div></td>';}")
        << QStringLiteral("else {")
        << QStringLiteral("Tabletag+='<td><div id=calday>' + ctr + '</div></td>';}}}")
        << QStringLiteral("Tabletag+='</tr><tr>';}") << QStringLiteral("Tabletag+='</tr></table>';")
        << QStringLiteral("return Tabletag;}");
}

} // namespace

QStringList scriptFileLines(const QString& dateBackground) {
    const ScriptFileLayout layout = readScriptFileLayout();
    QStringList out;
    out << QStringLiteral("function CreateTables() {") << QStringLiteral("Read();");
    appendTitle(out, layout.header);
    appendDayLoop(out, layout, safeColour(dateBackground));
    appendPopulate(out, layout);
    appendHelpers(out);
    appendGetCal(out, layout.header);
    if (layout.header)
        appendCalendar(out);
    return out;
}
