// Turns the order of readings (perikopen.txt, UTF-8) into the C++ tables of libpergol
// (Windows-1252). Run by the build:
//     pergol_generate_tables <perikopen.txt> <output.cpp>
// Any fault in the data file (unknown line, missing reading, a character that Windows-1252
// cannot hold, a name given twice) stops the build with the file's line number, so that a
// broken table never reaches the program.
#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <map>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

namespace {

constexpr int kSeriesCount = 6;

// The fields of a day in the order of the generated struct (after name and colour).
constexpr std::size_t kReadingCount = 6;
const std::array<std::string, kReadingCount + kSeriesCount> kFieldKeys
    = { "Wochenspruch", "Psalm", "Wochenlied", "Epistel", "Evangelium", "AT-Lesung", "I",
        "II",           "III",   "IV",         "V",       "VI" };

// Windows colour layout 0x02BBGGRR. White, violet and black are the values the program's
// rules compare with; green and red are ours.
const std::map<std::string, std::int32_t> kColours = {
    { "weiß", 0x02FFFFFF }, { "violett", 0x02AA00AA }, { "schwarz", 0x02000000 },
    { "grün", 0x02008000 }, { "rot", 0x020000FF },
};

struct Day
{
    std::string name;
    int line = 0;
    std::vector<std::string> aliases;
    std::string sameAs; // "Wie:"
    std::optional<std::string> colour;
    std::map<std::string, std::string> fields;
};

[[noreturn]] void fail(const std::string &file, int line, const std::string &message)
{
    std::cerr << file << ":" << line << ": " << message << "\n";
    std::exit(1);
}

// Windows-1252 byte for a Unicode code point, if the code page has one.
std::optional<unsigned char> toWindows1252(char32_t cp)
{
    if (cp >= 0x20 && cp < 0x7F)
        return static_cast<unsigned char>(cp);
    if (cp >= 0xA0 && cp <= 0xFF)
        return static_cast<unsigned char>(cp);
    static const std::map<char32_t, unsigned char> upper = {
        { 0x20AC, 0x80 }, { 0x201A, 0x82 }, { 0x0192, 0x83 }, { 0x201E, 0x84 }, { 0x2026, 0x85 },
        { 0x2020, 0x86 }, { 0x2021, 0x87 }, { 0x02C6, 0x88 }, { 0x2030, 0x89 }, { 0x0160, 0x8A },
        { 0x2039, 0x8B }, { 0x0152, 0x8C }, { 0x017D, 0x8E }, { 0x2018, 0x91 }, { 0x2019, 0x92 },
        { 0x201C, 0x93 }, { 0x201D, 0x94 }, { 0x2022, 0x95 }, { 0x2013, 0x96 }, { 0x2014, 0x97 },
        { 0x02DC, 0x98 }, { 0x2122, 0x99 }, { 0x0161, 0x9A }, { 0x203A, 0x9B }, { 0x0153, 0x9C },
        { 0x017E, 0x9E }, { 0x0178, 0x9F },
    };
    const auto it = upper.find(cp);
    if (it == upper.end())
        return std::nullopt;
    return it->second;
}

// UTF-8 to Windows-1252; an empty optional when the text is no valid UTF-8 or holds a
// character the code page lacks.
std::optional<std::string> utf8ToWindows1252(const std::string &text)
{
    std::string out;
    for (std::size_t i = 0; i < text.size();) {
        const auto lead = static_cast<unsigned char>(text[i]);
        int extra = 0;
        char32_t cp = 0;
        if (lead < 0x80) {
            cp = lead;
        } else if ((lead & 0xE0) == 0xC0) {
            extra = 1;
            cp = lead & 0x1F;
        } else if ((lead & 0xF0) == 0xE0) {
            extra = 2;
            cp = lead & 0x0F;
        } else if ((lead & 0xF8) == 0xF0) {
            extra = 3;
            cp = lead & 0x07;
        } else {
            return std::nullopt;
        }
        if (i + static_cast<std::size_t>(extra) >= text.size() && extra > 0)
            return std::nullopt;
        for (int k = 1; k <= extra; ++k) {
            const auto cont = static_cast<unsigned char>(text[i + static_cast<std::size_t>(k)]);
            if ((cont & 0xC0) != 0x80)
                return std::nullopt;
            cp = (cp << 6) | (cont & 0x3F);
        }
        const auto byte = toWindows1252(cp);
        if (!byte)
            return std::nullopt;
        out.push_back(static_cast<char>(*byte));
        i += static_cast<std::size_t>(extra) + 1;
    }
    return out;
}

std::string trim(const std::string &s)
{
    const auto first = s.find_first_not_of(" \t\r");
    if (first == std::string::npos)
        return {};
    const auto last = s.find_last_not_of(" \t\r");
    return s.substr(first, last - first + 1);
}

// A C string literal; bytes outside printable ASCII as three-digit octal escapes, which end
// after three digits whatever follows.
std::string literal(const std::string &bytes)
{
    std::string out = "\"";
    for (const char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        if (b == '"' || b == '\\' || b == '?') {
            out += '\\';
            out += c;
        } else if (b < 0x20 || b >= 0x7F) {
            char buf[5];
            std::snprintf(buf, sizeof buf, "\\%03o", b);
            out += buf;
        } else {
            out += c;
        }
    }
    return out + "\"";
}

std::vector<Day> readDays(const std::string &file)
{
    std::ifstream in(file, std::ios::binary);
    if (!in)
        fail(file, 0, "cannot read the file");
    std::vector<Day> days;
    std::string raw;
    int lineNo = 0;
    while (std::getline(in, raw)) {
        ++lineNo;
        const std::string line = trim(raw);
        if (line.empty() || line[0] == '#')
            continue;
        if (line.front() == '[') {
            if (line.back() != ']' || line.size() < 3)
                fail(file, lineNo, "a day's heading is \"[Name]\"");
            days.push_back(Day { trim(line.substr(1, line.size() - 2)), lineNo, {}, {}, {}, {} });
            continue;
        }
        if (days.empty())
            fail(file, lineNo, "a line outside of any day");
        const auto colon = line.find(':');
        if (colon == std::string::npos)
            fail(file, lineNo, "a line is \"Key: value\"");
        const std::string key = trim(line.substr(0, colon));
        const std::string value = trim(line.substr(colon + 1));
        Day &day = days.back();
        if (value.empty())
            fail(file, lineNo, "empty value for " + key);
        if (key == "Auch") {
            day.aliases.push_back(value);
        } else if (key == "Wie") {
            day.sameAs = value;
        } else if (key == "Farbe") {
            if (!kColours.count(value))
                fail(file, lineNo, "unknown colour " + value);
            day.colour = value;
        } else if (std::find(kFieldKeys.begin(), kFieldKeys.end(), key) != kFieldKeys.end()) {
            if (day.fields.count(key))
                fail(file, lineNo, key + " given twice");
            day.fields[key] = value;
        } else {
            fail(file, lineNo, "unknown key " + key);
        }
    }
    return days;
}

// Fills in what a day takes over from the day named in its "Wie:" line.
void resolveSameAs(const std::string &file, std::vector<Day> &days)
{
    std::map<std::string, const Day *> byName;
    for (const Day &day : days)
        byName[day.name] = &day;
    std::vector<Day> resolved = days;
    for (Day &day : resolved) {
        const Day *source = &day;
        for (int depth = 0; !source->sameAs.empty(); ++depth) {
            const auto it = byName.find(source->sameAs);
            if (it == byName.end() || depth > 8)
                fail(file, day.line, "\"Wie\" names no day with propers: " + source->sameAs);
            source = it->second;
            if (!day.colour)
                day.colour = source->colour;
            for (const auto &[key, value] : source->fields)
                day.fields.emplace(key, value);
        }
    }
    days = std::move(resolved);
}

} // namespace

int main(int argc, char **argv)
{
    if (argc != 3) {
        std::cerr << "usage: pergol_generate_tables <perikopen.txt> <output.cpp>\n";
        return 2;
    }
    const std::string file = argv[1];
    std::vector<Day> days = readDays(file);
    resolveSameAs(file, days);

    struct Row
    {
        std::string name;
        std::string colour;
        std::vector<std::string> fields;
    };
    std::vector<Row> rows;
    std::map<std::string, int> seen;
    for (const Day &day : days) {
        if (!day.colour)
            fail(file, day.line, day.name + ": no colour");
        Row row;
        row.colour = std::to_string(kColours.at(*day.colour));
        for (const std::string &key : kFieldKeys) {
            const auto it = day.fields.find(key);
            if (it == day.fields.end())
                fail(file, day.line, day.name + ": no " + key);
            if (it->second == "-" && key != "Wochenlied")
                fail(file, day.line, day.name + ": only the hymns may be left empty");
            // "-" stands for a text that is left empty on purpose.
            const auto bytes = utf8ToWindows1252(it->second == "-" ? std::string() : it->second);
            if (!bytes)
                fail(file, day.line, day.name + ": " + key + " is not Windows-1252 text");
            row.fields.push_back(*bytes);
        }
        std::vector<std::string> names = { day.name };
        names.insert(names.end(), day.aliases.begin(), day.aliases.end());
        for (const std::string &name : names) {
            const auto bytes = utf8ToWindows1252(name);
            if (!bytes)
                fail(file, day.line, name + " is not Windows-1252 text");
            if (seen.count(*bytes))
                fail(file, day.line, "the name " + name + " is given twice");
            seen[*bytes] = day.line;
            row.name = *bytes;
            rows.push_back(row);
        }
    }
    std::sort(rows.begin(), rows.end(), [](const Row &a, const Row &b) { return a.name < b.name; });

    std::ostringstream out;
    out << "// Generated from perikopen.txt by pergol_generate_tables; do not edit.\n"
        << "#include \"libpergol/PergolTables.h\"\n\nnamespace pergol {\n\n"
        << "const DayProper kDays[] = {\n";
    for (const Row &row : rows) {
        out << "    {" << literal(row.name) << ",\n     " << literal(row.colour);
        for (std::size_t i = 0; i < row.fields.size(); ++i) {
            if (i == kReadingCount)
                out << ",\n     {";
            else
                out << ",\n     ";
            out << literal(row.fields[i]);
        }
        out << "}},\n";
    }
    out << "};\n\nconst std::size_t kDayCount = " << rows.size() << ";\n\n} // namespace pergol\n";

    std::ofstream result(argv[2], std::ios::binary | std::ios::trunc);
    result << out.str();
    if (!result) {
        std::cerr << argv[2] << ": cannot write\n";
        return 1;
    }
    return 0;
}
