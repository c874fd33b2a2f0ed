// Every folder under tests/order/cases is one case: its order text or sequence, produced by the
// UI-free functions, must equal the expected file. PERGOLAN_UPDATE_GOLDEN=1 rewrites the
// expected files instead (check the difference before committing it).
#include "tests/order/OrderCases.h"

#include "order/BasicForms.h"
#include "order/OccasionalServices.h"
#include "order/ThreeReadings.h"

#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

#include <cctype>
#include <string>
#include <vector>

namespace {

using namespace ordercases;

// The lines that differ, marked "-" for expected and "+" for actual, with their line number.
std::string difference(const QString &expected, const QString &actual)
{
    const QStringList want = expected.split(u'\n');
    const QStringList got = actual.split(u'\n');
    std::string out;
    for (qsizetype i = 0; i < std::max(want.size(), got.size()); ++i) {
        const QString w = i < want.size() ? want.at(i) : QStringLiteral("<fehlt>");
        const QString g = i < got.size() ? got.at(i) : QStringLiteral("<fehlt>");
        if (w != g)
            out += "line " + std::to_string(i + 1) + "\n  - " + w.toStdString() + "\n  + "
                + g.toStdString() + '\n';
    }
    return out;
}

void compareWithFile(const QString &path, const QString &actual)
{
    if (qEnvironmentVariableIntValue("PERGOLAN_UPDATE_GOLDEN") == 1) {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(actual.toUtf8());
        return;
    }
    const QString expected = readText(path);
    EXPECT_TRUE(expected == actual) << QFileInfo(path).fileName().toStdString() << ":\n"
                                    << difference(expected, actual);
}

ServiceTicks tickOn(ServiceTicks ticks, const QString &name, occasional::Service *service)
{
    if (name == u"abendmahl") {
        ticks.abendmahl = true;
        *service = occasional::Service::Communion;
    } else if (name == u"taufe") {
        ticks.taufe = true;
        *service = occasional::Service::Baptism;
    } else if (name == u"konfirmation") {
        ticks.konfirmation = true;
        *service = occasional::Service::Confirmation;
    } else {
        ticks.trauung = true;
        *service = occasional::Service::Wedding;
    }
    return ticks;
}

// The sequence of a case: the start list or the stored list with three readings chosen on it
// and each tick set in turn (as a click or a restore sets them), or else the basic form
// rebuilt with all its ticks and its readings. A rebuilt list places the Old Testament reading
// anew, as the window does.
QStringList sequenceOf(const OrderCase &c)
{
    const bool three = c.input.threeReadings;
    ServiceTicks ticks;
    occasional::Service service {};
    if (c.initial || c.hasSequence) {
        SequenceList list(c.initial ? basicforms::initialSequence() : c.input.sequence);
        if (three)
            threereadings::place(list, true);
        for (const QString &tick : c.ticks) {
            ticks = tickOn(ticks, tick, &service);
            if (occasional::applyTick(service, list, c.form, ticks))
                threereadings::place(list, three);
        }
        return list.entries();
    }
    for (const QString &tick : c.ticks)
        ticks = tickOn(ticks, tick, &service);
    SequenceList rebuilt = occasional::rebuildSequence(c.form, ticks);
    if (c.ticks.isEmpty() && !three) {
        EXPECT_EQ(rebuilt.entries(), basicforms::formSequence(c.form).entries());
    }
    threereadings::place(rebuilt, three);
    return rebuilt.entries();
}

class OrderCases : public ::testing::TestWithParam<std::string>
{
};

TEST_P(OrderCases, MatchExpectedFiles)
{
    QString error;
    const OrderCase c = load(QString::fromStdString(GetParam()), &error);
    ASSERT_TRUE(error.isEmpty()) << error.toStdString();
    const QString expectedText = c.folder + QStringLiteral("/expected.txt");
    const QString expectedSequence = c.folder + QStringLiteral("/expected-sequence.txt");
    const bool text = QFileInfo::exists(expectedText);
    const bool sequence = QFileInfo::exists(expectedSequence);
    ASSERT_TRUE(text || sequence) << "no expected file in " << c.folder.toStdString();
    if (text)
        compareWithFile(expectedText,
                        encode(ordertext::generate(c.input), c.folder + QStringLiteral("/Texte")));
    if (sequence)
        compareWithFile(expectedSequence, sequenceOf(c).join(u'\n') + u'\n');
}

std::vector<std::string> folderNames()
{
    std::vector<std::string> names;
    for (const QString &name : caseNames())
        names.push_back(name.toStdString());
    return names;
}

std::string testName(const ::testing::TestParamInfo<std::string> &info)
{
    std::string name = info.param;
    for (char &ch : name)
        if (!std::isalnum(static_cast<unsigned char>(ch)))
            ch = '_';
    return name;
}

INSTANTIATE_TEST_SUITE_P(Folders, OrderCases, ::testing::ValuesIn(folderNames()), testName);

TEST(OrderCases, AreFound)
{
    EXPECT_GE(caseNames().size(), 40);
}

} // namespace
