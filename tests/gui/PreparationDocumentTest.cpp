// The rules of a preparation without any window: which edit marks it modified, what a tick, a
// basic form and a move do to the sequence, the page format, and loading and saving a file or a
// day. A stand-in for the liturgical data library answers the propers.
#include "gui/PreparationDocument.h"
#include "order/BasicForms.h"
#include "order/OccasionalServices.h"
#include "storage/ServiceOrderFile.h"
#include "tests/support/FakeLiturgicalLibrary.h"
#include "tests/support/TestEnvironment.h"

#include <QDir>
#include <QSignalSpy>

#include <gtest/gtest.h>

namespace {

using Field = PreparationDocument::Field;
using occasional::Service;

class PreparationDocumentTest : public ::testing::Test
{
protected:
    void SetUp() override { fakelibrary::reset(); }

    QString filePath(const QString &name) const { return env.dataDir() + u'/' + name; }

    // Saves a document holding the given edits, then returns its file's bytes.
    QString savedFile(const std::function<void(PreparationDocument &)> &edit,
                      const QString &name = QStringLiteral("gespeichert.ini"))
    {
        PreparationDocument document;
        edit(document);
        QDir().mkpath(env.dataDir());
        const QString path = filePath(name);
        EXPECT_TRUE(document.saveFile(path).ok());
        return path;
    }

    TestEnvironment env;
};

TEST_F(PreparationDocumentTest, OnlyARealChangeOfAFieldMarksItModified)
{
    PreparationDocument document;
    QSignalSpy texts(&document, &PreparationDocument::textChanged);
    QSignalSpy modified(&document, &PreparationDocument::modifiedChanged);

    document.setText(Field::Epistel, QString());
    EXPECT_FALSE(document.isModified());
    EXPECT_EQ(texts.count(), 0);

    document.setText(Field::Epistel, QStringLiteral("Röm 12,1-8"));
    document.setText(Field::Ausgangslied, QStringLiteral("EG 170"));
    EXPECT_TRUE(document.isModified());
    EXPECT_EQ(texts.count(), 2);
    EXPECT_EQ(modified.count(), 1); // announced once, not per field
    EXPECT_EQ(document.preparation().epistel, QStringLiteral("Röm 12,1-8"));
    EXPECT_EQ(document.text(Field::Ausgangslied), QStringLiteral("EG 170"));
}

TEST_F(PreparationDocumentTest, ATickAppliesItsServiceOnceAndNeverMarksModified)
{
    PreparationDocument document;
    const QStringList initial = document.preparation().sequence;
    ASSERT_EQ(initial, basicforms::initialSequence());
    QSignalSpy sequence(&document, &PreparationDocument::sequenceChanged);

    EXPECT_FALSE(document.setTick(Service::Communion, false)); // already off: nothing happens
    EXPECT_EQ(sequence.count(), 0);

    SequenceList expected(initial);
    ServiceTicks ticks;
    ticks.abendmahl = true;
    const bool rebuilt = occasional::applyTick(Service::Communion, expected, 0, ticks);
    EXPECT_EQ(document.setTick(Service::Communion, true), rebuilt);
    EXPECT_EQ(document.preparation().sequence, expected.entries());
    EXPECT_TRUE(document.preparation().ticks.abendmahl);
    EXPECT_FALSE(document.isModified());

    // Ticking off again with a basic form that names none of the four rebuilds from none.
    document.setBasicForm(-1);
    EXPECT_TRUE(document.setTick(Service::Communion, false));
    EXPECT_EQ(document.preparation().sequence,
              occasional::rebuildSequence(-1, ServiceTicks {}).entries());
}

TEST_F(PreparationDocumentTest, ChoosingABasicFormRebuildsWithTheServicesTicked)
{
    PreparationDocument document;
    document.setTick(Service::Baptism, true);
    document.setTick(Service::Wedding, true);
    for (int position = 0; position < 4; ++position) {
        document.chooseBasicForm(position);
        EXPECT_EQ(document.basicForm(), position);
        EXPECT_EQ(document.preparation().sequence,
                  occasional::rebuildSequence(position, document.preparation().ticks).entries())
            << position;
    }
}

// With three readings chosen, every list rebuilt from a basic form gets the Old Testament reading
// again; a wedding placed into the list takes it out with the other readings.
TEST_F(PreparationDocumentTest, ThreeReadingsOutlastARebuiltList)
{
    PreparationDocument document;
    const auto readingBeforeGospel = [&] {
        const QStringList &list = document.preparation().sequence;
        return list.count(QStringLiteral("AT-Lesung")) == 1
            && list.indexOf(QStringLiteral("AT-Lesung")) + 1
            == list.indexOf(QStringLiteral("Evangelium"));
    };
    document.chooseThreeReadings(true);
    document.chooseBasicForm(2); // Liturgie II, Form 1 has no epistle
    EXPECT_TRUE(readingBeforeGospel());
    document.chooseTick(Service::Wedding, true);
    EXPECT_FALSE(document.preparation().sequence.contains(QStringLiteral("AT-Lesung")));
    EXPECT_TRUE(document.chooseTick(Service::Wedding, false)); // rebuilt from the form
    EXPECT_TRUE(readingBeforeGospel());
    document.chooseThreeReadings(false);
    EXPECT_EQ(document.preparation().sequence, basicforms::formSequence(2).entries());
}

TEST_F(PreparationDocumentTest, AnEntryMovesWithinTheListOnly)
{
    PreparationDocument document;
    const QStringList initial = document.preparation().sequence;
    ASSERT_GE(initial.size(), 3);
    QSignalSpy sequence(&document, &PreparationDocument::sequenceChanged);

    EXPECT_EQ(document.moveEntryUp(0), 0);
    EXPECT_EQ(document.moveEntryDown(int(initial.size()) - 1), int(initial.size()) - 1);
    EXPECT_EQ(document.moveEntryUp(-1), -1);
    EXPECT_EQ(sequence.count(), 0);

    EXPECT_EQ(document.moveEntryDown(1), 2);
    QStringList moved = initial;
    moved.swapItemsAt(1, 2);
    EXPECT_EQ(document.preparation().sequence, moved);
    EXPECT_EQ(document.moveEntryUp(2), 1);
    EXPECT_EQ(document.preparation().sequence, initial);
}

// What would be lost on closing marks the preparation modified; what only puts a preparation
// in does not, nor does an action that changes nothing.
TEST_F(PreparationDocumentTest, EveryChangeOfTheOrderMarksItModified)
{
    const struct
    {
        const char *action;
        std::function<void(PreparationDocument &)> run;
        bool modified;
    } cases[] = {
        { "choose a basic form", [](PreparationDocument &d) { d.chooseBasicForm(1); }, true },
        { "tick communion", [](PreparationDocument &d) { d.chooseTick(Service::Communion, true); },
          true },
        { "tick a tick already off",
          [](PreparationDocument &d) { d.chooseTick(Service::Wedding, false); }, false },
        { "move an entry down", [](PreparationDocument &d) { d.moveEntryDown(1); }, true },
        { "move the first entry up", [](PreparationDocument &d) { d.moveEntryUp(0); }, false },
        { "toggle the page format", [](PreparationDocument &d) { d.togglePageFormat(); }, true },
        { "choose three readings", [](PreparationDocument &d) { d.chooseThreeReadings(true); },
          true },
        { "choose two readings again", [](PreparationDocument &d) { d.chooseThreeReadings(false); },
          false },
        { "set three readings", [](PreparationDocument &d) { d.setThreeReadings(true); }, false },
        { "open a file with a tick and a moved entry",
          [this](PreparationDocument &d) {
              const QString path = savedFile([](PreparationDocument &saved) {
                  saved.chooseTick(Service::Baptism, true);
                  saved.moveEntryDown(1);
              });
              EXPECT_TRUE(d.loadFile(path).ok());
          },
          false },
        { "set the page format", [](PreparationDocument &d) { d.setPageFormat(1); }, false },
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.action);
        PreparationDocument document;
        c.run(document);
        EXPECT_EQ(document.isModified(), c.modified);
    }
}

TEST_F(PreparationDocumentTest, AnOrderNoLongerBelongsToChangedInputs)
{
    PreparationDocument document;
    QSignalSpy stale(&document, &PreparationDocument::orderInputsChanged);
    const auto count = [&](const std::function<void()> &step) {
        stale.clear();
        step();
        return stale.count();
    };
    // A field or the page format leave the order as it was generated.
    EXPECT_EQ(count([&] { document.setText(Field::Epistel, QStringLiteral("Röm 1,1")); }), 0);
    EXPECT_EQ(count([&] { document.togglePageFormat(); }), 0);
    EXPECT_EQ(count([&] { document.moveEntryUp(0); }), 0); // nothing moved
    EXPECT_EQ(count([&] { document.setTick(Service::Communion, false); }), 0); // no change
    EXPECT_EQ(count([&] { (void)document.loadDay(QStringLiteral("01.03.2026")); }), 0); // no day
    // The sequence, the ticks, the basic form, another day or file do not.
    EXPECT_GE(count([&] { document.moveEntryDown(0); }), 1);
    EXPECT_GE(count([&] { document.setTick(Service::Baptism, true); }), 1);
    EXPECT_GE(count([&] { document.chooseBasicForm(1); }), 1);
    EXPECT_GE(count([&] { (void)document.loadDay(QStringLiteral("01.03.2026 3 Reminiszere")); }),
              1);
    EXPECT_GE(count([&] { (void)document.loadFile(filePath(QStringLiteral("fehlt.ini"))); }), 1);
}

TEST_F(PreparationDocumentTest, ThePageFormatToggles)
{
    PreparationDocument document;
    QSignalSpy format(&document, &PreparationDocument::pageFormatChanged);
    EXPECT_EQ(document.pageFormat(), 0);
    document.togglePageFormat();
    EXPECT_EQ(document.pageFormat(), 1);
    document.togglePageFormat();
    EXPECT_EQ(document.pageFormat(), 0);
    EXPECT_EQ(format.count(), 2);
}

TEST_F(PreparationDocumentTest, ASavedFileLoadsBackAsItWas)
{
    const QString path = savedFile([](PreparationDocument &d) {
        d.setText(Field::Wochenspruch, QStringLiteral("Selbst gewählter Spruch"));
        d.setText(Field::Eingangslied, QStringLiteral("EG 450"));
        d.togglePageFormat();
        d.chooseBasicForm(2);
        d.setTick(Service::Confirmation, true);
        d.moveEntryDown(0);
    });
    PreparationDocument original;
    ASSERT_TRUE(original.loadFile(path).ok());
    EXPECT_EQ(original.text(Field::Wochenspruch), QStringLiteral("Selbst gewählter Spruch"));
    EXPECT_EQ(original.pageFormat(), 1);
    EXPECT_TRUE(original.preparation().ticks.konfirmation);
    // Loaded whole, the preparation is as its file stores it.
    EXPECT_FALSE(original.isModified());
    original.setText(Field::Wochenlied, QStringLiteral("EG 1"));
    EXPECT_TRUE(original.isModified());
    original.setText(Field::Wochenlied, QString());

    const QString again = filePath(QStringLiteral("noch einmal.ini"));
    ASSERT_TRUE(original.saveFile(again).ok());
    EXPECT_FALSE(original.isModified());
    EXPECT_EQ(readFileBytes(again), readFileBytes(path));
}

TEST_F(PreparationDocumentTest, ADamagedFileKeepsWhatWasLoadedBeforeTheDamage)
{
    const QString path = savedFile([](PreparationDocument &d) {
        d.setText(Field::Psalm, QStringLiteral("Psalm 23"));
        d.setTick(Service::Baptism, true);
    });
    QByteArray bytes = readFileBytes(path);
    const qsizetype at = bytes.indexOf("Anzahl=");
    ASSERT_GE(at, 0);
    bytes.insert(at + 7, "x");
    writeFileBytes(path, bytes);

    PreparationDocument document;
    const QStringList before = document.preparation().sequence;
    const Result<> loaded = document.loadFile(path);
    EXPECT_EQ(loaded.error(), serviceorder::damagedFileMessage());
    EXPECT_EQ(document.text(Field::Psalm), QStringLiteral("Psalm 23"));
    EXPECT_EQ(document.preparation().sequence, before);
    EXPECT_FALSE(document.preparation().ticks.taufe);
    EXPECT_TRUE(document.isModified()); // what was loaded is not what any file holds

    EXPECT_EQ(document.loadFile(filePath(QStringLiteral("fehlt.ini"))).error(),
              serviceorder::damagedFileMessage());
}

TEST_F(PreparationDocumentTest, ADayComesFromItsStoredPreparationOrFromTheLibrary)
{
    PreparationDocument document;
    QSignalSpy loading(&document, &PreparationDocument::fileLoading);
    const QString entry = QStringLiteral("01.03.2026 3 Reminiszere");

    ASSERT_TRUE(document.loadDay(entry).ok());
    EXPECT_EQ(document.dayStamp(), QStringLiteral("20260301"));
    EXPECT_EQ(document.preparation().dayName, QStringLiteral("Reminiszere"));
    const QString series = document.preparation().series; // the church year's series
    EXPECT_FALSE(series.isEmpty());
    EXPECT_EQ(document.dayCaption(), QStringLiteral("   Reminiszere"));
    EXPECT_EQ(document.dayColour(), 32768);
    EXPECT_EQ(document.text(Field::Epistel), QStringLiteral("getEpistel:Reminiszere"));
    EXPECT_FALSE(document.isModified()); // a newly chosen day is unchanged
    EXPECT_EQ(loading.count(), 0);

    // Saved under the series and the day's name, it is found again instead of the library.
    document.setText(Field::Epistel, QStringLiteral("Eigene Lesung"));
    QDir().mkpath(env.dataDir() + u'/' + series);
    const QString stored
        = env.dataDir() + u'/' + series + u'/' + series + QStringLiteral(" Reminiszere.ini");
    ASSERT_TRUE(document.saveFile(stored).ok());
    PreparationDocument again;
    ASSERT_TRUE(again.loadDay(entry).ok());
    EXPECT_EQ(again.text(Field::Epistel), QStringLiteral("Eigene Lesung"));
    EXPECT_FALSE(again.isModified());

    // Too short to hold a date and a name: nothing changes.
    again.setText(Field::Epistel, QStringLiteral("getippt"));
    ASSERT_TRUE(again.loadDay(QStringLiteral("01.03.2026")).ok());
    EXPECT_EQ(again.text(Field::Epistel), QStringLiteral("getippt"));
    EXPECT_TRUE(again.isModified());
}

TEST_F(PreparationDocumentTest, ADayWithoutAColourNumberFailsAfterItsName)
{
    fakelibrary::defaultColour = "grün";
    PreparationDocument document;
    const Result<> loaded = document.loadDay(QStringLiteral("01.03.2026 3 Reminiszere"));
    ASSERT_FALSE(loaded.ok());
    EXPECT_TRUE(loaded.error().startsWith(QStringLiteral("Fehler beim Laden der Datei:\r")));
    EXPECT_EQ(document.preparation().dayName, QStringLiteral("Reminiszere"));
    EXPECT_EQ(document.text(Field::Epistel), QString()); // the propers came after the colour
    EXPECT_EQ(document.dayColour(), -1);
}

} // namespace
