#include "DamagedCollection.h"
#include "files/ui/TfrmOpenSave.h"
#include "files/ui/TfrmScope.h"
#include "files/WorkingFile.h"
#include "graph/ui/GraphServices.h"
#include "graph/ui/PESGraph.h"
#include "graph/ui/TfrmDateTime.h"
#include "graph/ui/TfrmGraph.h"
#include "graph/ui/Tslider2.h"
#include "link/CommandTable.h"
#include "link/LinkSession.h"
#include "link/LoggerMemory.h"
#include "link/MeterLink.h"
#include "link/MeterPresence.h"
#include "link/SimulatedMeter.h"
#include "logger/DataLoggerSession.h"
#include "logger/ui/DataLoggerWindow.h"
#include "MainWindowFixture.h"
#include "recording/RecordingsOfTable.h"
#include "report/ReportPage.h"
#include "survey/ui/SaveGraphReport.h"
#include "shell/Formats.h"
#include "shell/ui/StringGrid.h"
#include "survey/SurveyDetails.h"

#include <QApplication>
#include <QComboBox>
#include <QDateEdit>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTimeEdit>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

// The data logger commands against the simulated meter with its four recordings.
class DataLoggerTest : public ConnectedMainWindowFixture {
protected:
    void SetUp() override
    {
        clock.clock.nowStep = 0.001 * OneSecond;
        ConnectedMainWindowFixture::SetUp();
    }

    // The meter stops answering until the monitor counts it lost.
    void LoseMeter()
    {
        meter.RefuseOpen();
        for (int poll = 0; poll < MeterPresence::FailedPollsToLose; ++poll)
            window->MainTimerTimer();
        meter.ClearFaults();
        ASSERT_FALSE(window->Monitor().Connected());
    }
    const DataSetTable& DataSets() { return window->DataLogger().Table(); }
    // The program ends and starts again, with nothing loaded.
    void Restart()
    {
        CloseMainWindow();
        StartMainWindow();
    }

    TfrmGraph& Logger() { return *window->DataLoggerGraph(); }
    QString Cell(int column, int row) { return Logger().Grid2->Cell(column, row); }
    static QByteArray Read(const QString& path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    QString WorkingFile() const { return WorkingFilePath(DetermineDataFolder()); }
};

}  // namespace

TEST_F(DataLoggerTest, LoadDataListsTheRecordingsAndShowsTheFirst)
{
    window->LoadData1->trigger();
    ASSERT_FALSE(window->DataLoggerGraph() == nullptr);
    EXPECT_TRUE(Logger().pnlDataSets->isVisible());
    ASSERT_EQ(Logger().Grid2->RowCount(), meter.Memory().SetCount() + 1);
    EXPECT_EQ(Cell(0, 1), "1");
    EXPECT_EQ(Cell(4, 1), QString::number(DataSets().sets[0].sampleCount));
    EXPECT_EQ(Logger().Grid2->SelectedRow(), 1);
    EXPECT_EQ(Logger().txtDataNo->text(), QString::number(DataSets().sets[0].sampleCount));
    EXPECT_EQ(Logger().PESGraph1->Points(), DataSets().sets[0].sampleCount);
    EXPECT_TRUE(window->DataLogger().Unsaved());
    EXPECT_TRUE(window->MainTimer()->isActive()) << "the monitor runs again after the load";
    EXPECT_FALSE(Link().Busy());
    const int memoryEnd = meter.Memory().MemoryEnd();
    EXPECT_EQ(Read(WorkingFile()).size(), memoryEnd + 257);
    EXPECT_EQ(Read(WorkingFile()).left(memoryEnd + 1),
              QByteArray(reinterpret_cast<const char*>(meter.Memory().Bytes().data()), memoryEnd + 1));

    // Another row shows its own set.
    Logger().Grid2Clicked(3);
    EXPECT_EQ(Logger().txtDataNo->text(), QString::number(DataSets().sets[2].sampleCount));
    EXPECT_EQ(Logger().txtSamplingRate->currentText(), QString::number(DataSets().sets[2].interval));
}

TEST_F(DataLoggerTest, TheSetShownIsTheCurrentRowHoweverItWasChosen)
{
    window->LoadData1->trigger();
    const int sets = static_cast<int>(DataSets().sets.size());
    ASSERT_GE(sets, 3);
    StringGrid& list = *Logger().Grid2;
    const auto shown = [&](int set) {
        return Logger().txtStartTime->text() == DateTimeText(DataSets().sets[static_cast<std::size_t>(set)].startTime)
               && Logger().txtDataNo->text() == QString::number(DataSets().sets[static_cast<std::size_t>(set)].sampleCount);
    };
    const struct {
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        int set;
    } moves[] = {
        {Qt::Key_Down, Qt::NoModifier, 1},
        {Qt::Key_Down, Qt::NoModifier, 2},
        {Qt::Key_Up, Qt::NoModifier, 1},
        {Qt::Key_End, Qt::ControlModifier, sets - 1},
        {Qt::Key_Home, Qt::ControlModifier, 0},
    };
    for (const auto& move : moves) {
        QTest::keyClick(&list, move.key, move.modifiers);
        EXPECT_EQ(list.SelectedRow(), move.set + 1);
        EXPECT_TRUE(shown(move.set)) << "key " << move.key << " to set " << move.set;
    }
    // A click moves it as well; a new download shows set 0 on its first row.
    QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, list.visualRect(list.model()->index(2, 0)).center());
    EXPECT_TRUE(shown(2));
    window->LoadData1->trigger();
    EXPECT_EQ(list.SelectedRow(), 1);
    EXPECT_TRUE(shown(0));
}

TEST_F(DataLoggerTest, LoadDataRefusesWithoutConnectionOrWhileRecording)
{
    LoseMeter();
    window->LoadData1Click();
    EXPECT_EQ(prompts.prompts.TakeMessages(), QStringList({"There is no connection with meter !"}));
    window->MainTimerTimer();  // found again
    StartRecording();
    window->LoadData1Click();
    EXPECT_EQ(prompts.prompts.TakeMessages(),
              QStringList({"The meter is recording data, please stop recording before loading data."}));
    EXPECT_TRUE(window->DataLoggerGraph() == nullptr);
}

TEST_F(DataLoggerTest, AFailedTransferKeepsThePreviousDataAndResynchronises)
{
    window->LoadData1->trigger();
    const DataSetTable before = DataSets();
    const QByteArray workingBefore = Read(WorkingFile());
    const QString firstRow = Cell(1, 1);

    meter.FailRead(3);  // early in the transfer: a short one
    window->LoadData1->trigger();
    EXPECT_EQ(prompts.prompts.TakeErrors(), QStringList({"There was error,please try again!   error code=126"}));
    EXPECT_EQ(DataSets().sets.size(), before.sets.size());
    EXPECT_EQ(DataSets().levels, before.levels);
    EXPECT_EQ(Cell(1, 1), firstRow);
    EXPECT_EQ(Read(WorkingFile()), workingBefore);
    EXPECT_TRUE(window->MainTimer()->isActive());

    meter.AnswerWrongMarkers();
    window->LoadData1->trigger();
    EXPECT_EQ(prompts.prompts.TakeErrors(), QStringList({"There was error,please try again!   error code=121"}));
    meter.ClearFaults();
    window->MainTimerTimer();
    EXPECT_TRUE(window->Monitor().Connected()) << "the meter answers the monitor again after the 'Q'";
}

TEST_F(DataLoggerTest, CancelEndsTheTransferQuietlyAndChangesNothing)
{
    window->LoadData1->trigger();
    const QByteArray workingBefore = Read(WorkingFile());
    const std::size_t setsBefore = DataSets().sets.size();
    meter.Memory().Erase();  // what a second download would bring differs from what is shown
    bool busyMeanwhile = false;
    bool loadOfferedMeanwhile = true;
    QTimer::singleShot(0, [&] {
        busyMeanwhile = Link().Busy();
        loadOfferedMeanwhile = window->LoadData1->isEnabled();
        for (QWidget* top : QApplication::topLevelWidgets())
            if (auto* scope = qobject_cast<TfrmScope*>(top); scope && scope->isVisible()) {
                EXPECT_EQ(scope->windowTitle(), "Data Retriving Progress");
                EXPECT_EQ(scope->lblTotalBytes->text(), "256");
                scope->findChild<QPushButton*>("btnCancel")->click();
            }
    });
    window->LoadData1->trigger();
    EXPECT_TRUE(busyMeanwhile);
    EXPECT_FALSE(loadOfferedMeanwhile) << "no second load while one holds the link";
    EXPECT_EQ(window->StatusText(0), "Download cancelled");
    EXPECT_EQ(DataSets().sets.size(), setsBefore);
    EXPECT_EQ(Read(WorkingFile()), workingBefore);
    EXPECT_TRUE(window->MainTimer()->isActive());
    EXPECT_TRUE(window->LoadData1->isEnabled());
}

TEST_F(DataLoggerTest, AnEmptyLoggerSaysSoAndKeepsTheList)
{
    window->LoadData1->trigger();
    const int rows = Logger().Grid2->RowCount();
    meter.Memory().Erase();
    window->LoadData1->trigger();
    EXPECT_EQ(prompts.prompts.TakeMessages(), QStringList({"There was not any data recorded in momery of meter !"}));
    EXPECT_EQ(Logger().Grid2->RowCount(), rows);
}

TEST_F(DataLoggerTest, ACollectionSavedFromTheWindowOpensWithoutTheMeter)
{
    window->LoadData1->trigger();
    const QString path = env.DocumentsDir() + "/field.REC";
    prompts.prompts.onModal = [](QDialog& dialog) {
        EXPECT_EQ(dialog.windowTitle(), "Save File");
        return TfrmOpenSave::SetsResult;
    };
    prompts.prompts.fileNames = {env.DocumentsDir() + "/field"};
    prompts.prompts.selectedFilters = {"Data Set Collection file(*.rec,only for QX574) (*.REC *.rec)"};
    window->MdiArea()->setActiveSubWindow(qobject_cast<QMdiSubWindow*>(Logger().parentWidget()));
    window->Save1Click();
    EXPECT_EQ(Read(path), Read(WorkingFile())) << "the collection is the working file, byte for byte";
    const DataSetTable saved = DataSets();

    EXPECT_FALSE(window->DataLogger().Unsaved());
    Logger().parentWidget()->close();  // saved: no question on the way out
    EXPECT_TRUE(prompts.prompts.questions.isEmpty());
    FlushDeletes();
    SetCurrentTransport(nullptr);
    Restart();
    QFile::remove(WorkingFile());

    prompts.prompts.onModal = [](QDialog& dialog) {
        auto& chooser = dynamic_cast<TfrmOpenSave&>(dialog);
        EXPECT_TRUE(chooser.btnOpenSets->isEnabled());
        return TfrmOpenSave::SetsResult;
    };
    prompts.prompts.fileNames = {path};
    window->Open1Click();
    ASSERT_FALSE(window->DataLoggerGraph() == nullptr);
    EXPECT_EQ(DataSets().levels, saved.levels);
    EXPECT_EQ(DataSets().times, saved.times);
    EXPECT_EQ(Read(WorkingFile()), Read(path)) << "opening writes the same bytes back";
    EXPECT_FALSE(window->DataLogger().Unsaved()) << "an opened collection is already saved";
    SetCurrentTransport(&meter);
}

TEST_F(DataLoggerTest, OpeningACollectionAsksBeforeReplacingAnUnsavedDownload)
{
    window->LoadData1->trigger();
    const QString collection = env.DocumentsDir() + "/four.REC";
    ASSERT_TRUE(QFile::copy(WorkingFile(), collection));
    meter.Memory().Erase();
    ASSERT_TRUE(meter.Memory().BeginRecording({{2026, 3, 9, 10, 0, 0}, 2, 0x03}));
    for (const int tenths : {700, 710, 720})
        meter.Memory().AppendSample(tenths);
    meter.Memory().EndRecording();
    window->LoadData1->trigger();
    ASSERT_EQ(DataSets().sets.size(), 1u);
    const QByteArray download = Read(WorkingFile());
    prompts.prompts.onModal = [](QDialog&) { return TfrmOpenSave::SetsResult; };

    prompts.prompts.fileNames = {collection};
    prompts.prompts.answers = {Prompts::Answer::Cancel};
    window->Open1Click();
    EXPECT_EQ(prompts.prompts.questions, QStringList({"Save DataLogger Data ?"}));
    EXPECT_EQ(DataSets().sets.size(), 1u) << "Cancel keeps the download";
    EXPECT_EQ(Read(WorkingFile()), download);
    EXPECT_TRUE(window->DataLogger().Unsaved());

    prompts.prompts.fileNames = {collection};
    prompts.prompts.answers = {Prompts::Answer::No};
    window->Open1Click();
    EXPECT_EQ(DataSets().sets.size(), 4u);
    EXPECT_FALSE(window->DataLogger().Unsaved()) << "what is shown is the file's";
    prompts.prompts.questions.clear();
    Logger().parentWidget()->close();
    EXPECT_TRUE(prompts.prompts.questions.isEmpty()) << "closing has nothing to ask about the file's data";
}

TEST_F(DataLoggerTest, EmptyAndDamagedCollectionsLeaveTheShownSets)
{
    window->LoadData1->trigger();
    const DataSetTable before = DataSets();
    const QString empty = env.DocumentsDir() + "/empty.REC";
    QFile(empty).open(QIODevice::WriteOnly);
    const QString noSets = env.DocumentsDir() + "/nosets.REC";
    {
        QFile file(noSets);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(QByteArray(300, '\0'));
    }
    prompts.prompts.onModal = [](QDialog&) { return TfrmOpenSave::SetsResult; };
    prompts.prompts.fileNames = {empty, noSets, env.DocumentsDir()};
    window->Open1Click();
    EXPECT_TRUE(prompts.prompts.Errors().isEmpty()) << "a 0-byte file is ignored";
    window->Open1Click();
    EXPECT_TRUE(prompts.prompts.TakeErrors().value(0).contains("nosets.REC"));
    window->Open1Click();
    EXPECT_EQ(prompts.prompts.TakeErrors().size(), 1) << "a folder is named in an error";
    EXPECT_EQ(DataSets().levels, before.levels);
}

// A survey belongs to its set: another set is shown only once the survey of the shown one is
// saved or given up, and then without it; the caption names the set whose survey is shown.
TEST_F(DataLoggerTest, ASetsSurveyStaysWithItsSet)
{
    window->LoadData1->trigger();
    TfrmGraph& logger = Logger();
    EXPECT_EQ(logger.Caption(), QStringLiteral("DataLogger \u2013 Data set 1"));
    const std::vector<double>& times = logger.ShownRecording().times;
    logger.AddExclusion({times[0], times[2], QStringLiteral("door")});
    SurveyDetails details;
    details.project = QStringLiteral("Set one project");
    details.offsetDb = 3.0;
    logger.SetSurveyDetails(details);

    prompts.prompts.answers = {Prompts::Answer::Cancel};
    emit logger.Grid2Clicked(4);
    EXPECT_EQ(logger.ShownRecording().set, 1) << "Cancel keeps the set and its survey";
    EXPECT_EQ(logger.GraphSurvey().exclusions.size(), 1u);
    EXPECT_EQ(logger.Grid2->currentIndex().row(), 0);

    prompts.prompts.answers = {Prompts::Answer::No};
    emit logger.Grid2Clicked(4);
    EXPECT_EQ(logger.ShownRecording().set, 4);
    EXPECT_TRUE(logger.GraphSurvey().exclusions.empty());
    EXPECT_EQ(logger.GraphSurvey().details.offsetDb, 0.0);
    EXPECT_TRUE(logger.GraphSurvey().details.project.isEmpty());
    EXPECT_EQ(logger.Caption(), QStringLiteral("DataLogger \u2013 Data set 4"));
    ASSERT_EQ(prompts.prompts.questions.size(), 2);
    EXPECT_TRUE(prompts.prompts.questions[0].contains(QStringLiteral("Data set 1")));

    // Without changes not saved, another set asks nothing.
    emit logger.Grid2Clicked(2);
    EXPECT_EQ(logger.ShownRecording().set, 2);
    EXPECT_EQ(prompts.prompts.questions.size(), 2);
}

// A damaged collection is shown, and the window says what was damaged as the command line does.
TEST_F(DataLoggerTest, ADamagedCollectionIsShownAndNamedAsTheCommandLineNamesIt)
{
    const QString path = env.DocumentsDir() + "/damaged.REC";
    WriteDamagedCollection(path);
    prompts.prompts.onModal = [](QDialog&) { return TfrmOpenSave::SetsResult; };
    prompts.prompts.fileNames = {path};
    window->Open1Click();
    EXPECT_EQ(DataSets().sets.size(), 2u);
    EXPECT_EQ(prompts.prompts.TakeMessages(), QStringList{DamagedMarkersSentence(path)});
    EXPECT_FALSE(window->DataLogger().Unsaved()) << "what is shown is the file's";
}

TEST_F(DataLoggerTest, ACollectionWithoutSamplesIsRefusedAndTheLoadedSetsStay)
{
    window->LoadData1->trigger();
    const DataSetTable before = DataSets();
    const QByteArray working = Read(WorkingFile());
    const int rows = Logger().Grid2->RowCount();
    const QString cut = env.DocumentsDir() + "/cut.REC";
    {
        QFile file(cut);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(working.left(258));  // the header page counts four recordings; none is held
    }
    prompts.prompts.onModal = [](QDialog&) { return TfrmOpenSave::SetsResult; };
    prompts.prompts.fileNames = {cut};
    window->Open1Click();
    const QStringList errors = prompts.prompts.TakeErrors();
    ASSERT_EQ(errors.size(), 1);
    EXPECT_TRUE(errors[0].contains("cut.REC") && errors[0].contains("no samples")) << errors[0].toStdString();
    EXPECT_EQ(DataSets().sets.size(), before.sets.size());
    EXPECT_EQ(DataSets().levels, before.levels);
    EXPECT_EQ(Logger().Grid2->RowCount(), rows);
    EXPECT_EQ(Read(WorkingFile()), working) << "the working file still holds what is shown";
}

TEST_F(DataLoggerTest, ALoggerWhoseRecordingsHoldNoSampleSaysSoAndKeepsTheList)
{
    window->LoadData1->trigger();
    const int rows = Logger().Grid2->RowCount();
    const std::size_t sets = DataSets().sets.size();
    meter.Memory().Erase();
    ASSERT_TRUE(meter.Memory().BeginRecording({{2026, 3, 9, 10, 0, 0}, 2, 0x03}));  // REC pressed twice
    meter.Memory().EndRecording();
    window->LoadData1->trigger();
    EXPECT_EQ(prompts.prompts.TakeMessages(), QStringList({"There was not any data recorded in momery of meter !"}));
    EXPECT_EQ(Logger().Grid2->RowCount(), rows);
    EXPECT_EQ(DataSets().sets.size(), sets);
}

// A recording cut off before its end marker keeps the count its header stores, whether it
// comes from the meter, from the working file or from a saved collection.
TEST_F(DataLoggerTest, AnInterruptedRecordingIsTheSameFromTheMeterTheWorkingFileAndACollection)
{
    LoggerMemory& memory = meter.Memory();
    memory.Erase();
    ASSERT_TRUE(memory.BeginRecording({{2026, 3, 9, 10, 0, 0}, 1, 0x03}));
    for (int k = 0; k < 10; ++k)
        ASSERT_TRUE(memory.AppendSample(600 + k));
    memory.EndRecording();
    // Power lost after the count went ahead and before the end marker was written.
    memory.SetByte(256 + 13, 200);
    memory.SetByte(292, 0xFF);
    memory.SetByte(293, 0xFF);
    memory.SetByte(13, 0x23);  // memoryEnd 291, the last sample's last byte
    ASSERT_EQ(memory.MemoryEnd(), 291);

    window->LoadData1->trigger();
    ASSERT_EQ(DataSets().sets.size(), 1u);
    EXPECT_EQ(DataSets().sets[0].sampleCount, 200);
    // What the command line says of the same memory, each sentence naming it.
    const auto damage = [](const QString& source) {
        return (source + ": a recording runs past the end of the used memory (code 34); its samples are kept as "
                         "found.\n" + source + " ends before the last samples its recordings count; those are "
                         "written as 0.").toStdString();
    };
    EXPECT_EQ(prompts.prompts.TakeMessages().join('|').toStdString(), damage("The meter's memory"));
    const DataSetTable fromMeter = DataSets();

    const QString copy = env.DocumentsDir() + "/working-copy.REC";
    ASSERT_TRUE(QFile::copy(WorkingFile(), copy));
    const QString saved = env.DocumentsDir() + "/saved.REC";
    prompts.prompts.onModal = [](QDialog&) { return TfrmOpenSave::SetsResult; };
    prompts.prompts.fileNames = {saved};
    prompts.prompts.selectedFilters = {"Data Set Collection file(*.rec,only for QX574) (*.REC *.rec)"};
    window->MdiArea()->setActiveSubWindow(qobject_cast<QMdiSubWindow*>(Logger().parentWidget()));
    window->Save1Click();
    ASSERT_TRUE(QFile::exists(saved));

    for (const QString& path : {copy, saved}) {
        SCOPED_TRACE(path.toStdString());
        window->DataLogger() = DataLoggerSession();
        prompts.prompts.onModal = [](QDialog&) { return TfrmOpenSave::SetsResult; };
        prompts.prompts.fileNames = {path};
        window->Open1Click();
        ASSERT_EQ(DataSets().sets.size(), 1u);
        EXPECT_EQ(prompts.prompts.TakeMessages().join('|').toStdString(), damage(QDir::toNativeSeparators(path)));
        EXPECT_EQ(DataSets().sets[0].sampleCount, fromMeter.sets[0].sampleCount);
        EXPECT_EQ(DataSets().sets[0].average, fromMeter.sets[0].average);
        EXPECT_EQ(DataSets().levels, fromMeter.levels);
        EXPECT_EQ(DataSets().times, fromMeter.times);
    }
    EXPECT_TRUE(prompts.prompts.Errors().isEmpty());
}

TEST_F(DataLoggerTest, ANewStartTimeMovesTheSetsTimesAndRow)
{
    window->LoadData1->trigger();
    const double start = DaysFromDateTime(QDateTime(QDate(2021, 1, 1), QTime(8, 0, 0)));
    prompts.prompts.onModal = [start](QDialog& dialog) {
        dynamic_cast<TfrmDateTime&>(dialog).SetDateTime(start);
        return int(QDialog::Accepted);
    };
    Logger().Grid2->selectRow(1);
    Logger().ChangeDateTimeRequested(2);
    const DataSet& set = DataSets().sets[1];
    EXPECT_DOUBLE_EQ(set.startTime, start);
    EXPECT_EQ(Cell(2, 2), "08:00:00");
    EXPECT_EQ(Logger().txtStartTime->text(), DateTimeText(start));
    EXPECT_DOUBLE_EQ(Logger().PESGraph1->XDataII(0, 3), SampleTime(set, 3));
}

TEST_F(DataLoggerTest, TheStartTimePickedIsTheOneStoredToTheSecond)
{
    window->LoadData1->trigger();
    // "Now" at 08:00:07.7: the picker shows 08:00:07; the user changes only the date.
    clock.clock.now = DaysFromDateTime(QDateTime(QDate(2021, 1, 1), QTime(8, 0, 7, 700)));
    clock.clock.nowStep = 0.0;
    prompts.prompts.onModal = [](QDialog& dialog) {
        auto& picker = dynamic_cast<TfrmDateTime&>(dialog);
        EXPECT_EQ(picker.TimePicker->time(), QTime(8, 0, 7));
        picker.DatePicker->setDate(QDate(2021, 1, 2));
        return int(QDialog::Accepted);
    };
    Logger().Grid2->selectRow(0);
    Logger().ChangeDateTimeRequested(1);
    const double picked = DaysFromDateTime(QDateTime(QDate(2021, 1, 2), QTime(8, 0, 7)));
    EXPECT_DOUBLE_EQ(DataSets().sets[0].startTime, picked);
    EXPECT_EQ(Cell(2, 1), "08:00:07");
    EXPECT_EQ(Logger().txtStartTime->text(), DateTimeText(picked));
    EXPECT_EQ(Logger().PESGraph1->XDataII(0, 0), picked);
}

TEST_F(DataLoggerTest, EraseMemoryOnlyOnAnExplicitYes)
{
    const int sets = meter.Memory().SetCount();
    ASSERT_GT(sets, 0);
    prompts.prompts.answers = {Prompts::Answer::No, Prompts::Answer::Cancel};
    window->EraseMemory1->trigger();
    window->EraseMemory1->trigger();
    EXPECT_EQ(meter.Memory().SetCount(), sets) << "closing the question erases nothing";
    EXPECT_EQ(prompts.prompts.questionDefaults, std::deque<Prompts::Answer>(2, Prompts::Answer::No))
        << "Enter keeps the memory";

    meter.AnswerWrongEcho();
    prompts.prompts.answers = {Prompts::Answer::Yes};
    window->EraseMemory1->trigger();
    EXPECT_EQ(prompts.prompts.TakeErrors(), QStringList({"no response from device, error code=807"}));
    meter.ClearFaults();

    prompts.prompts.answers = {Prompts::Answer::Yes};
    window->EraseMemory1->trigger();
    EXPECT_EQ(meter.Memory().SetCount(), 0);
    EXPECT_EQ(prompts.prompts.TakeMessages(),
              QStringList({"Please power off and power on meter before recording data or loading again."}));
    EXPECT_TRUE(window->MainTimer()->isActive());
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);

    StartRecording();
    window->EraseMemory1->trigger();
    EXPECT_EQ(prompts.prompts.TakeMessages(),
              QStringList({"The meter is recording data, please stop recording before erasing data."}));
}

TEST_F(DataLoggerTest, ASetIsShownWithDisplayRoundingAndASliderOverItsSamples)
{
    QPointer<TfrmGraph> open;
    DataLoggerSession session;
    TfrmGraph& logger = OpenDataLoggerWindow(*window->MdiArea(), open, session, NoGraphServices());
    DataSetTable table;
    const double start = DaysFromDateTime(QDateTime(QDate(2026, 3, 9), QTime(10, 0, 0, 600)));
    table.sets.push_back({start, 1, 10, 0x07, 256, 0, 4, 0, 55.0});
    for (int k = 0; k < 10; ++k) {
        table.levels.push_back(k == 4 ? 80.0f : 50.0f);
        table.times.push_back(start + k * OneSecond);
    }
    table.levels[0] = 40.0f;
    ShowDataSets(logger, table);
    EXPECT_EQ(logger.txtMin->text(), "40.0");
    EXPECT_EQ(logger.txtMinTime->text(), "3/9/2026 10:00:01 AM") << ".600 is shown as the next second";
    EXPECT_EQ(logger.txtMax->text(), "80.0");
    EXPECT_EQ(logger.txtAvgAll->text(), "55.0");
    EXPECT_EQ(logger.txtSamplingRate->currentText(), "1");
    EXPECT_EQ(logger.Slider1->Minimum(), 0);
    EXPECT_EQ(logger.Slider1->Maximum(), 9);
    EXPECT_EQ(logger.Slider1->Value1(), 3);
    EXPECT_EQ(logger.Slider1->Value2(), 6);
    EXPECT_FLOAT_EQ(window->Run().Rate, 0.2f) << "the program's own rate text is not a user's choice";

    DataSetTable empty;
    empty.sets.push_back({start, 2, 0, 0x00, 256, 273, 0, 0, 0.0});
    ShowDataSets(logger, empty);
    EXPECT_EQ(logger.txtDataNo->text(), "0");
    EXPECT_TRUE(logger.txtMax->text().isEmpty()) << "a set without samples has no maximum to show";
}

TEST_F(DataLoggerTest, ClosingWithUnsavedDataOffersTheCollection)
{
    window->LoadData1->trigger();
    prompts.prompts.answers = {Prompts::Answer::Yes};
    prompts.prompts.onModal = [](QDialog&) { return TfrmOpenSave::SetsResult; };
    prompts.prompts.fileNames = {env.DocumentsDir() + "/kept.REC"};
    EXPECT_TRUE(Logger().parentWidget()->close());
    EXPECT_EQ(prompts.prompts.questions, QStringList({"Save DataLogger Data ?"}));
    EXPECT_TRUE(QFile::exists(env.DocumentsDir() + "/kept.REC"));
}

TEST_F(DataLoggerTest, FilesGivenToTheProgramOpenByTheirKind)
{
    window->LoadData1->trigger();
    const QString collection = env.DocumentsDir() + "/given.REC";
    QFile::copy(WorkingFile(), collection);
    prompts.prompts.answers = {Prompts::Answer::No};  // leave the download unsaved
    Logger().parentWidget()->close();
    FlushDeletes();
    prompts.prompts.questions.clear();
    const DataSetTable loaded = DataSets();
    Restart();

    window->OpenFiles({collection, env.DocumentsDir() + "/notes.doc"});
    ASSERT_FALSE(window->DataLoggerGraph() == nullptr);
    EXPECT_EQ(DataSets().levels, loaded.levels);
    EXPECT_EQ(prompts.prompts.TakeErrors().size(), 1) << "a kind the program does not open is named";
}

// The DataLogger window's report page and `qx574 report`'s page of the same set come from the
// same values: the same facts, boxes, metrics and time history.
TEST_F(DataLoggerTest, TheWindowsReportPageOfASetIsTheCommandLinesPage)
{
    window->LoadData1->trigger();
    Logger().Grid2Clicked(3);  // set 2
    const ReportPage shown = GraphReportPage(Logger());
    const ReportPage printed =
        RecordingReportPage(RecordingOfSet(window->DataLogger().Table(), 2, QString()), Logger().Caption(), shown.generated);
    EXPECT_EQ(shown.title, printed.title);
    EXPECT_EQ(shown.facts, printed.facts);
    for (const auto& [field, name] : {std::pair{&StatisticBoxes::startTime, "start"}, {&StatisticBoxes::samplingRate, "rate"},
                                      {&StatisticBoxes::dataNo, "number"}, {&StatisticBoxes::avgAll, "mean"},
                                      {&StatisticBoxes::max, "max"}, {&StatisticBoxes::maxTime, "max time"},
                                      {&StatisticBoxes::min, "min"}, {&StatisticBoxes::minTime, "min time"}})
        EXPECT_EQ(shown.boxes.*field, printed.boxes.*field) << name;
    EXPECT_EQ(shown.boxes.samplingRate, Logger().txtSamplingRate->currentText()) << "as the window's own box";
    EXPECT_EQ(shown.metrics.whole.leq, printed.metrics.whole.leq);
    EXPECT_EQ(shown.chart.times, printed.chart.times);
    EXPECT_EQ(shown.chart.levels, printed.chart.levels);
}
