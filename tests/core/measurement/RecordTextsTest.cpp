#include "measurement/RecordTexts.h"
#include "measurement/MeasureExport.h"
#include "measurement/RecordingSummary.h"
#include "measurement/SpreadsheetHandOver.h"

#include <gtest/gtest.h>

using namespace ks;

TEST(RecordTexts, DecimalSeparatorInEveryNumericColumnOnly) {
    const std::vector<std::string> cols = {"10.12.2026", "14:05:07", "46366.586887", "1.234",
                                           "m3/h",       "0.5",      "1476",         "012345006",
                                           "dl",         "(+/-)"};
    EXPECT_EQ(
        recordLineOfColumns(cols, ","),
        "10.12.2026\t14:05:07\t46366,586887\t1,234\tm3/h\t0,5\t1476\t012345006\tdl\t(+/-)\t\n");
    EXPECT_EQ(
        recordLineOfColumns(cols, "."),
        "10.12.2026\t14:05:07\t46366.586887\t1.234\tm3/h\t0.5\t1476\t012345006\tdl\t(+/-)\t\n");
}

TEST(RecordTexts, HeaderLineAndTransferFile) {
    EXPECT_EQ(
        recordHeaderLine(1, false),
        "N°\tDate\tHeure\tDateTime\tDébit\tUnité Q\tVitesse\tCélérité\tTot. 1\tPoids "
        "impulsion\tType\tTot. 2\tPoids impulsion\tType\tVitesse1\tCélérité1\tTemps1\tDelta "
        "T1\tI.Q.1\tGain1\tVitesse2\tCélérité2\tTemps2\tDelta T2\tI.Q.2\tGain2\tN° de Série\n");
    EXPECT_EQ(recordHeaderLine(2, true).rfind("No.\tDate\tTime\tDateTime\tQT\tQ Unit\tQ1\tQ2\t", 0),
              0u);
    const std::string t = transferFileContent(2, "/w/KSNPrnTemp.prn", "/w/out.xls");
    EXPECT_EQ(
        t.rfind("TYPE\tMES\nF_IN\t/w/KSNPrnTemp.prn\nF_OUT\t/w/out.xls\nT_DebitMoy\tMean flow\n",
                0),
        0u);
    EXPECT_NE(t.find("T_CV\tC.V.\nT_Volume\tVolume\nT_ErrFtropcourt\tFile too short"),
              std::string::npos);
    EXPECT_NE(t.find("\nC_Num\tA\nC_Date\tB\n"), std::string::npos);
    EXPECT_NE(t.find("\nC_Gain2\tZ\nC_Num_Serie\tAA\n"), std::string::npos);
    EXPECT_EQ(t.back(), '\n');
}

TEST(RecordingSummary, MeanCvAndTrapezoidVolume) {
    CSummaryBuilder b;
    // 10 m3/h for one hour then 20 m3/h for half an hour, a linear change between.
    b.add(0, 10, "m3/h");
    b.add(3600, 10, "m3/h");
    b.add(5400, 20, "m3/h");
    const RecordingSummary s = b.result();
    EXPECT_EQ(s.samples, 3);
    EXPECT_EQ(s.durationSeconds, 5400);
    EXPECT_NEAR(s.meanFlow, 40.0 / 3, 1e-12);
    EXPECT_NEAR(*s.cvPercent, 5.773502691896258 / (40.0 / 3) * 100, 1e-9);
    EXPECT_NEAR(s.volume, 10 + 7.5, 1e-12);
    EXPECT_EQ(s.volumeUnit, "m3");
    EXPECT_EQ(CSummaryBuilder::secondsPerUnitTime("l/mn"), 60);
    EXPECT_EQ(CSummaryBuilder::secondsPerUnitTime("m3/j"), 86400);
    EXPECT_FALSE(CSummaryBuilder().result().cvPercent);
}

TEST(SpreadsheetHandOver, CommandsWithoutAShell) {
    SpreadsheetProgram lo{"/usr/bin/localc", true, false, true};
    EXPECT_EQ(
        spreadsheetCommand(lo, "/w/a b.prn", "/w/", "", ","),
        (LaunchCommand{"/usr/bin/localc",
                       {"--infilter=Text - txt - csv (StarCalc):9,34,76,1,,1036", "/w/a b.prn"}}));
    EXPECT_EQ(spreadsheetCommand(lo, "/w/a.xlsx", "/w/", "", "."),
              (LaunchCommand{"/usr/bin/localc", {"/w/a.xlsx"}}));
    SpreadsheetProgram excel{"/opt/excel.exe", true, true, false};
    EXPECT_EQ(spreadsheetCommand(excel, "/w/KSNPrnTemp.prn", "/w/", "", "."),
              (LaunchCommand{"/opt/excel.exe", {"/w/KSNPrnTemp.prn", "/p", "/w/"}}));
    EXPECT_EQ(spreadsheetCommand(excel, "/w/KSNPrnTemp.prn", "/w/", "/m/report.xls", "."),
              (LaunchCommand{"/opt/excel.exe", {"/p", "/w/", "/m/report.xls"}}));
    EXPECT_EQ(exportKindOfPath("/a/B.XLSX"), ExportKind::Workbook);
    EXPECT_EQ(exportKindOfPath("/a/b.prn"), ExportKind::Text);
}
