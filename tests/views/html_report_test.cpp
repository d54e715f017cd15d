// The HTML report: its page checked byte for byte against golden files, the pictures
// written beside it, and what a failed write leaves.
#include "views/html_report.h"

#include <gtest/gtest.h>

#include <QImage>

#include "support/viewer_harness.h"
#include "views/body_map.h"
#include "views/html_export.h"

namespace mrv {
namespace {

namespace fs = std::filesystem;

constexpr const char* kHostileNick = "<b>\"Rasec's\"&</b>";

using test::ExpectGolden;

std::size_t Count(const std::string& text, const std::string& part) {
  std::size_t count = 0;
  for (auto at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++count;
  return count;
}

// A game-mode source made by hand, for what no sample game shows.
ReportSource HandMadeSource() {
  ReportSource source;
  OverallTable overall;
  source.overall_columns = overall.columns();
  OverallRow hostile;
  hostile.nickname = kHostileNick;
  hostile.mark = TeamMark::kRed;
  hostile.cells = {"3", "1", "3", "2", "1", "0.5", "0", "1"};
  OverallRow plain = hostile;
  plain.nickname = "Morv";
  plain.mark = TeamMark::kBoth;
  source.overall_rows = {hostile, plain};
  source.nickname = kHostileNick;
  source.labels = YourStatsOf({.kills = 3, .deaths = 1, .seconds = 90});
  source.labels.ratio = "K/D without colon";
  LocationTotals& hits = source.hits[KindIndex(HitKind::kHits)];
  hits[8] = 2;  // Chest
  hits[7] = 5;  // Kevlar Vest, listed after the Helmet
  hits[2] = 5;  // Helmet
  source.kills_grid = {{"LR300", "3"}, {"", ""}, {"Total", "3"}, {"", ""}, {"", ""}};
  source.deaths_grid = {{"HK69", "1"}, {"", ""}, {"Total", "1"}, {"", ""}, {"", ""}};
  return source;
}

TEST(HtmlReportTest, HandMadeGameWithoutCaptureTheFlag) {
  HtmlReportOptions options;
  options.title = "<i>Our</i> night";  // the user's own markup stays
  options.observations = {"first line", "second line"};
  options.capture_the_flag = false;
  options.pictures[KindIndex(HitKind::kDeathHits)] = false;
  options.sections[KindIndex(HitKind::kDeathHitsTaken)] = false;
  const std::string page = HtmlReportText(HandMadeSource(), options);
  ExpectGolden(page, "report_hand_made.html");

  // The points a golden file could take in unread: the escaped nickname, the user's
  // markup, the column left out, the hit locations in table order on ties.
  EXPECT_EQ(EscapeHtml(kHostileNick), "&lt;b&gt;&quot;Rasec&#39;s&quot;&amp;&lt;/b&gt;");
  EXPECT_EQ(Count(page, EscapeHtml(kHostileNick)), 2u);  // Players table and Weapons
  EXPECT_NE(page.find("<h2><font face=\"tahoma, Arial, Helvetica, sans-serif\"><i>Our</i> night"),
            std::string::npos);
  EXPECT_EQ(Count(page, "Flags Taken"), 0u);  // the fifth column
  EXPECT_LT(page.find("Helmet"), page.find("Kevlar Vest"));
  EXPECT_LT(page.find("Kevlar Vest"), page.find("Chest"));
  EXPECT_EQ(page.find("deathhits.bmp"), std::string::npos);
}

TEST(HtmlReportTest, GameModeFromTheViewer) {
  test::ViewerHarness sample("ctf_abbey");
  sample.MakeMonitored();
  StatsViewer& viewer = sample.viewer();
  viewer.OpenGame(true, std::string("2024-05-01 21:07"));
  EXPECT_FALSE(ReportCanShowWeapons(viewer));
  viewer.ClickOverallColumn(1);
  viewer.ClickPlayer(viewer.FindPlayer("fak"), false);
  EXPECT_TRUE(ReportCanShowWeapons(viewer));
  const ReportSource source = ReportSourceOf(viewer, sample.loaded);
  // The player stats are the own player's whoever is selected; the weapons the player's.
  EXPECT_EQ(source.labels.kills, viewer.your_stats().kills);
  EXPECT_EQ(source.nickname, "Fak");
  ExpectGolden(HtmlReportText(source, {}), "report_game.html");
}

class ProfileReportTest : public testing::Test {
 protected:
  ProfileReportTest() : sample("ts_two_maps") {
    sample.MakeMonitored();
    sample.AddToNewProfile({"2024-05-01 20:15", "2024-05-02 21:00", "2024-05-03 <b>"});
    sample.viewer().OpenProfile();
  }
  ProfileSummary Summary() { return ReportSourceOf(sample.viewer(), sample.loaded).summary; }

  test::ViewerHarness sample;
};

TEST_F(ProfileReportTest, SummaryNamesTheOldestAndNewestSelectedGames) {
  EXPECT_EQ(Summary(), (ProfileSummary{3, "2024-05-01 20:15", "2024-05-03 <b>", 3 * 1200}));
  sample.viewer().SelectGames({2, 3});
  EXPECT_EQ(Summary(), (ProfileSummary{2, "2024-05-01 20:15", "2024-05-02 21:00", 2 * 1200}));

  sample.viewer().SelectGames({1, 2});
  const ReportSource source = ReportSourceOf(sample.viewer(), sample.loaded);
  const std::string page = HtmlReportText(source, {});
  ExpectGolden(page, "report_profile.html");
  EXPECT_EQ(page.find("Players: "), std::string::npos);
  EXPECT_EQ(page.find("flag.bmp"), std::string::npos);
  EXPECT_NE(page.find("<b>Last game:</b> 2024-05-03 &lt;b&gt;<br>"), std::string::npos);
  // The charts of the two selected games, after the profile's figures.
  EXPECT_LT(page.find("stats: </h3>"), page.find("<h3>Progress: </h3>"));
  EXPECT_EQ(Count(page, "<svg "), kProgressChartCount);
  EXPECT_EQ(Count(page, "<title>2024-05-03 &lt;b&gt;: "), kProgressChartCount + 1);  // flags: 2
  EXPECT_EQ(Count(page, "2024-05-01 20:15"), 0u);  // not selected
  HtmlReportOptions without_progress;
  without_progress.progress = false;
  EXPECT_EQ(HtmlReportText(source, without_progress).find("Progress"), std::string::npos);

  sample.viewer().SelectGames({0});
  sample.viewer().RunMenuSlot(1);  // removes every game
  EXPECT_EQ(Summary(), (ProfileSummary{0, "", "", 0}));
}

QImage Picture(const fs::path& file) {
  return QImage(QString::fromStdString(file.string()), "BMP");
}

TEST(HtmlExportTest, WritesPicturesByTheirBoxesAndStopsAtTheFirstFailure) {
  const test::ScratchDir dir("html-export");
  const ReportSource source = HandMadeSource();
  HtmlReportOptions options;
  options.sections = {false, false, false, false};  // a picture needs only its own box
  options.pictures[KindIndex(HitKind::kDeathHits)] = false;
  ASSERT_TRUE(ExportHtmlReport(source, options, dir / "report.html").written);

  const QImage flag = Picture(dir / "report_redflag.bmp");
  ASSERT_EQ(flag.size(), QSize(20, 20));
  EXPECT_EQ(flag.pixel(19, 19), qRgb(0x22, 0x22, 0x22));  // the cell colour for transparency
  const QImage hits = Picture(dir / "report_hits.bmp");
  const QImage plain = BodyMapSurface(kReportBodyMapHeight);
  ASSERT_EQ(hits.size(), QSize(177, 239));
  EXPECT_NE(hits.convertToFormat(QImage::Format_RGB32), plain);
  EXPECT_EQ(Picture(dir / "report_hitstaken.bmp").convertToFormat(QImage::Format_RGB32), plain);
  EXPECT_FALSE(fs::exists(dir / "report_deathhits.bmp"));
  EXPECT_TRUE(fs::exists(dir / "report_deathhitstaken.bmp"));

  // A folder where a picture goes: the files before it stay, nothing after it is written,
  // and the message names the file and says why.
  const test::ScratchDir blocked("html-export-blocked");
  fs::create_directory(blocked / "report_hitstaken.bmp");
  const ExportResult result = ExportHtmlReport(source, {}, blocked / "report.html");
  EXPECT_FALSE(result.written);
  EXPECT_EQ(result.message,
            "Unable to write file!\r\n" + (blocked / "report_hitstaken.bmp").string() +
                "\r\nIt is a folder.");
  EXPECT_TRUE(fs::exists(blocked / "report_ggrayflag.bmp"));
  EXPECT_TRUE(fs::exists(blocked / "report_hits.bmp"));
  EXPECT_FALSE(fs::exists(blocked / "report_deathhits.bmp"));
  EXPECT_FALSE(fs::exists(blocked / "report.html"));
  EXPECT_EQ(ExportHtmlReport(source, {}, blocked / "gone" / "report.html").message,
            "Unable to write file!\r\n" + (blocked / "gone" / "report.html").string() +
                "\r\nThe folder " + (blocked / "gone").string() + " does not exist.");
}

// Two reports in one folder, in a folder others may write to: each keeps its own
// pictures, and a link planted under a report's or a picture's name is never written
// through.
TEST(HtmlExportTest, ReportsShareNoPictureAndNeverWriteThroughALink) {
  const test::ScratchDir dir("html-export-shared");
  ReportSource friday = HandMadeSource();
  ReportSource week = HandMadeSource();
  week.hits[KindIndex(HitKind::kHits)][0] = 833;
  ASSERT_TRUE(ExportHtmlReport(friday, {}, dir / "friday.html").written);
  const QImage friday_hits = Picture(dir / "friday_hits.bmp");
  ASSERT_TRUE(ExportHtmlReport(week, {}, dir / "my week #1.html").written);
  EXPECT_EQ(Picture(dir / "friday_hits.bmp"), friday_hits);
  EXPECT_NE(Picture(dir / "my week #1_hits.bmp"), friday_hits);
  const std::string page = test::ReadFileBytes(dir / "my week #1.html");
  EXPECT_NE(page.find("<img src=\"my%20week%20%231_hits.bmp\" >"), std::string::npos);
  EXPECT_NE(page.find("<img src=\"my%20week%20%231_redflag.bmp\" width"), std::string::npos);
  EXPECT_EQ(page.find("friday"), std::string::npos);
  EXPECT_EQ(page.find("\"hits.bmp"), std::string::npos);

  const fs::path victim = dir / "victim.txt";
  test::WriteFileBytes(victim, "precious");
  for (const char* planted : {"friday_blueflag.bmp", "friday_deathhitstaken.bmp", "friday.html"}) {
    SCOPED_TRACE(planted);
    fs::remove(dir / planted);
    fs::create_symlink(victim, dir / planted);
    const ExportResult result = ExportHtmlReport(friday, {}, dir / "friday.html");
    EXPECT_FALSE(result.written);
    EXPECT_EQ(result.message, "Unable to write file!\r\n" + (dir / planted).string() +
                                  "\r\nIt is a link.");
    EXPECT_EQ(test::ReadFileBytes(victim), "precious");
    EXPECT_TRUE(fs::is_symlink(dir / planted));
    fs::remove(dir / planted);
  }
}

}  // namespace
}  // namespace mrv
