#include "timesheet/cell_painting.h"
#include "timesheet/month_calendar.h"
#include "timesheet/month_closing_statements.h"
#include "timesheet/rebuild_statements.h"
#include "ui/colors.h"

#include <gtest/gtest.h>

namespace {

using timesheet::CellPaint;

struct PaintCase {
    const char* what;
    int value;
    quint32 columnColor;
    bool readOnly;
    bool highlighted;
    quint32 font;
    bool bold;
    std::optional<quint32> background;
};

TEST(TimesheetCellPainting, FollowsValueAndColumnLook) {
    const PaintCase cases[] = {
        {"weekday 0", 0, ui::kSysWindowText, false, false, ui::kSilver, false, {}},
        {"weekday 7", 7, ui::kSysWindowText, false, false, ui::kSysWindowText, false, {}},
        {"weekday 8", 8, ui::kSysWindowText, false, false, ui::kSysWindowText, true, {}},
        {"weekday 10", 10, ui::kSysWindowText, false, false, ui::kSysWindowText, true,
         ui::kMoneyGreen},
        {"weekend 0", 0, ui::kRed, false, false, ui::kRed, false, {}},
        {"weekend 7", 7, ui::kRed, false, false, ui::kRed, false, {}},
        {"weekend 8", 8, ui::kRed, false, false, ui::kRed, true, {}},
        {"weekend 10", 10, ui::kRed, false, false, ui::kRed, true, ui::kMoneyGreen},
        {"past month end 0", 0, ui::kSysWindow, true, false, ui::kSysWindow, false, {}},
        {"highlighted 10", 10, ui::kRed, false, true, ui::kSysHighlightText, false, {}},
    };
    for (const PaintCase& c : cases) {
        SCOPED_TRACE(c.what);
        const CellPaint p =
            timesheet::paintDayCell(c.value, c.columnColor, c.readOnly, c.highlighted);
        EXPECT_EQ(p.fontColor, c.font);
        EXPECT_EQ(p.bold, c.bold);
        EXPECT_EQ(p.background, c.background);
    }
}

TEST(TimesheetCalendar, WeekendsAndDaysPastTheMonthsEnd) {
    // 1 March 2022 is a Tuesday.
    const auto march = timesheet::dayColumnLooks(timesheet::firstDayOf(3, "2022"));
    for (int d = 1; d <= 31; ++d) {
        const bool weekend =
            d == 5 || d == 6 || d == 12 || d == 13 || d == 19 || d == 20 || d == 26 || d == 27;
        SCOPED_TRACE(d);
        EXPECT_EQ(march[d - 1].cellColor, weekend ? ui::kRed : ui::kSysWindowText);
        EXPECT_EQ(march[d - 1].titleColor, march[d - 1].cellColor);
        EXPECT_FALSE(march[d - 1].readOnly);
    }
    const auto february = timesheet::dayColumnLooks(timesheet::firstDayOf(2, "2023"));
    for (int d = 27; d <= 31; ++d) {
        SCOPED_TRACE(d);
        const bool past = d >= 29;
        EXPECT_EQ(february[d - 1].readOnly, past);
        if (past) {
            EXPECT_EQ(february[d - 1].cellColor, ui::kSysWindow);
            EXPECT_EQ(february[d - 1].titleColor, ui::kSilver);
        }
    }
    EXPECT_FALSE(timesheet::dayColumnLooks(timesheet::firstDayOf(2, "2024"))[28].readOnly);
}

TEST(TimesheetCalendar, YearListRunsToNextYearAndClampsOutsiders) {
    const QStringList years = timesheet::yearList(QDate(2026, 12, 10));
    EXPECT_EQ(years.first(), "2007");
    EXPECT_EQ(years.last(), "2027");
    EXPECT_EQ(years.size(), 21);
    EXPECT_EQ(years[timesheet::yearIndexFor(2022, years)], "2022");
    EXPECT_EQ(years[timesheet::yearIndexFor(1999, years)], "2007");
    EXPECT_EQ(years[timesheet::yearIndexFor(2031, years)], "2027");
}

TEST(TimesheetRebuildStatements, ExactTexts) {
    namespace rb = timesheet::rebuild;
    EXPECT_EQ(rb::dayAggregate(),
              " select smena, w_id, sum(time) as tim from accounts_dep.smena where data=:data "
              "group by smena,w_id;");
    EXPECT_EQ(rb::lockMonthRows(3, "2022"),
              "select 1 from accounts_dep.h_tabel where month=3 and year=2022 for update nowait");
    EXPECT_EQ(rb::deleteMonth(3, "2022"),
              "delete from accounts_dep.h_tabel where month=3 and year=2022");
    EXPECT_EQ(rb::rowCount("17", "2", 11, "2022"),
              "select count(w_id) as cnt from accounts_dep.h_tabel h_tabel where w_id=17 and "
              "smena=2 and month=11 and year=2022");
    EXPECT_EQ(rb::updateDay(10, "9", "17", "1", 3, "2022"),
              "update accounts_dep.h_tabel set d10='9' where w_id=17 and smena=1 and month=3 and "
              "year=2022");
    EXPECT_EQ(rb::insertDay(3, "1", "17", 3, "2022", "8"),
              "insert into accounts_dep.h_tabel(smena, w_id, month, year, d3) values(1, 17, 3, "
              "2022, 8)");
    // The set-based month: every day of the month from the day sums, the rest left alone.
    const QString leap = rb::monthInsert(2, "2024");
    EXPECT_TRUE(
        leap.startsWith("insert into accounts_dep.h_tabel(smena, w_id, month, year, d1, "
                        "d2, d3, "))
        << leap.toStdString();
    EXPECT_TRUE(
        leap.contains(", d28, d29) select smena, w_id, 2, 2024, coalesce(sum(time) "
                      "filter (where dd=1), 0), coalesce(sum(time) filter (where dd=2), "
                      "0), "))
        << leap.toStdString();
    EXPECT_TRUE(leap.endsWith(
        ", coalesce(sum(time) filter (where dd=29), 0) from (select smena, w_id, time, "
        "extract(day from data)::integer as dd from accounts_dep.smena where "
        "data>=to_date('01.02.2024', 'DD.MM.YYYY') and data<to_date('01.03.2024', "
        "'DD.MM.YYYY')) j group by smena, w_id"))
        << leap.toStdString();
    EXPECT_FALSE(leap.contains("d30"));
    EXPECT_TRUE(rb::monthInsert(12, "2023").contains("data<to_date('01.01.2024', 'DD.MM.YYYY')"));
}

// The month functions' calls, the reason bound; the unaccepted entries of December end with
// the year.
TEST(MonthClosingStatements, ExactTexts) {
    namespace closing = timesheet::closing;
    EXPECT_EQ(closing::closeMonthCall(11, "2022"), "select accounts_dep.close_month(2022, 11)");
    EXPECT_EQ(closing::reopenMonthCall(11, "2022"),
              "select accounts_dep.reopen_month(2022, 11, :reason)");
    EXPECT_EQ(closing::unacceptedCount(12, "2022"),
              "select count(*) as cnt from accounts_dep.smena where data >= "
              "to_date('01.12.2022', 'DD.MM.YYYY') and data < to_date('01.01.2023', "
              "'DD.MM.YYYY') and coalesce(ok, '') not in ('ok', 'да')");
}

}  // namespace
