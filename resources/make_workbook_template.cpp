// Writes the workbook template "Thermal indicator settings, USER.xlsx" that the
// profile export fills in. The layout lives here, in code, so that the labels
// stay next to the cells the export writes: C4 and C5, the alarm tables
// C7:E14 and C18:E25, and the settings text in column B from row 27.
//
// Usage: make_workbook_template <output path>

#include <zip.h>

#include <cstdio>
#include <ctime>
#include <string>
#include <vector>

namespace {

// Cell formats, indices into cellXfs below.
enum Style {
    Plain = 0,
    Title = 1,
    Heading = 2, // bold, shaded, bordered, centred
    Label = 3,   // shaded, bordered
    Value = 4,   // bordered, text format, centred
    Section = 5, // bold
    Line = 6,    // bordered, text format, left aligned
    Note = 7,    // small italic grey
};

constexpr int kTemperatureFirstRow = 7;
constexpr int kHumidityFirstRow = 18;
constexpr int kAlarmRules = 8;
constexpr int kSettingsTitleRow = 27;
// "setting.txt" and at most 36 lines below it: seven PDF lines and eight
// alarms of each kind included.
constexpr int kSettingsLastRow = 63;

struct Cell
{
    char column;
    Style style;
    std::string text; // empty: a formatted empty cell
};

struct Row
{
    int number;
    std::vector<Cell> cells;
    double height = 0; // 0: default height
};

std::string Escape(const std::string& text)
{
    std::string out;
    for (char c : text) {
        switch (c) {
        case '&':
            out += "&amp;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        case '"':
            out += "&quot;";
            break;
        default:
            out += c;
        }
    }
    return out;
}

std::vector<Row> Layout()
{
    std::vector<Row> rows;
    rows.push_back({1, {{'B', Title, "Thermal indicator settings"}}, 24});
    rows.push_back({2, {{'B', Note, "Saved with a profile by the Parameter configuration software."}}});
    rows.push_back({3, {{'B', Heading, "Recording"}, {'C', Heading, "Value"}}});
    rows.push_back({4, {{'B', Label, "Recording interval (min)"}, {'C', Value, ""}}});
    rows.push_back({5, {{'B', Label, "Delayed start (min)"}, {'C', Value, ""}}});

    auto alarmTable = [&](int headingRow, const char* title, const char* threshold) {
        rows.push_back({headingRow,
                        {{'B', Heading, title},
                         {'C', Heading, threshold},
                         {'D', Heading, "Direction"},
                         {'E', Heading, "Alarm time"}}});
        for (int rule = 1; rule <= kAlarmRules; ++rule)
            rows.push_back({headingRow + rule,
                            {{'B', Label, "Alarm " + std::to_string(rule)},
                             {'C', Value, ""},
                             {'D', Value, ""},
                             {'E', Value, ""}}});
    };
    alarmTable(kTemperatureFirstRow - 1, "Temperature alarms", "Threshold");
    alarmTable(kHumidityFirstRow - 1, "Humidity alarms", "Threshold (RH%)");

    rows.push_back({kSettingsTitleRow - 1, {{'B', Section, "Settings text"}}});
    rows.push_back({kSettingsTitleRow, {{'B', Heading, ""}}});
    for (int row = kSettingsTitleRow + 1; row <= kSettingsLastRow; ++row)
        rows.push_back({row, {{'B', Line, ""}}});
    return rows;
}

std::string SheetXml(const std::vector<Row>& rows, std::vector<std::string>& strings)
{
    std::string xml = "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n"
                      "<worksheet xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\" "
                      "xmlns:r=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships\">"
                      // Printed on one page width, so the tables stay beside their labels.
                      "<sheetPr><pageSetUpPr fitToPage=\"1\"/></sheetPr>"
                      "<dimension ref=\"B1:E" +
                      std::to_string(kSettingsLastRow) +
                      "\"/>"
                      "<sheetViews><sheetView tabSelected=\"1\" workbookViewId=\"0\"/></sheetViews>"
                      "<sheetFormatPr defaultRowHeight=\"15\"/>"
                      "<cols>"
                      "<col min=\"1\" max=\"1\" width=\"3\" customWidth=\"1\"/>"
                      "<col min=\"2\" max=\"2\" width=\"52\" customWidth=\"1\"/>"
                      "<col min=\"3\" max=\"3\" width=\"18\" customWidth=\"1\"/>"
                      "<col min=\"4\" max=\"4\" width=\"14\" customWidth=\"1\"/>"
                      "<col min=\"5\" max=\"5\" width=\"16\" customWidth=\"1\"/>"
                      "</cols><sheetData>";
    for (const Row& row : rows) {
        xml += "<row r=\"" + std::to_string(row.number) + "\"";
        if (row.height > 0)
            xml += " ht=\"" + std::to_string(int(row.height)) + "\" customHeight=\"1\"";
        xml += ">";
        for (const Cell& cell : row.cells) {
            xml += std::string("<c r=\"") + cell.column + std::to_string(row.number) + "\"";
            if (cell.style != Plain)
                xml += " s=\"" + std::to_string(int(cell.style)) + "\"";
            if (cell.text.empty()) {
                xml += "/>";
                continue;
            }
            xml += " t=\"s\"><v>" + std::to_string(strings.size()) + "</v></c>";
            strings.push_back(cell.text);
        }
        xml += "</row>";
    }
    xml +=
        "</sheetData>"
        "<pageMargins left=\"0.7\" right=\"0.7\" top=\"0.75\" bottom=\"0.75\" header=\"0.3\" footer=\"0.3\"/>"
        "<pageSetup paperSize=\"9\" orientation=\"landscape\" fitToWidth=\"1\" fitToHeight=\"0\"/>"
        "</worksheet>";
    return xml;
}

std::string SharedStringsXml(const std::vector<std::string>& strings)
{
    std::string xml = "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n"
                      "<sst xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\" count=\"" +
                      std::to_string(strings.size()) + "\" uniqueCount=\"" + std::to_string(strings.size()) +
                      "\">";
    for (const std::string& s : strings)
        xml += "<si><t>" + Escape(s) + "</t></si>";
    return xml + "</sst>";
}

const char* const kStyles =
    "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n"
    "<styleSheet xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\">"
    "<fonts count=\"4\">"
    "<font><sz val=\"11\"/><name val=\"Calibri\"/><family val=\"2\"/></font>"
    "<font><b/><sz val=\"11\"/><name val=\"Calibri\"/><family val=\"2\"/></font>"
    "<font><b/><sz val=\"14\"/><name val=\"Calibri\"/><family val=\"2\"/></font>"
    "<font><i/><sz val=\"9\"/><color rgb=\"FF595959\"/><name val=\"Calibri\"/><family val=\"2\"/></font>"
    "</fonts>"
    "<fills count=\"3\">"
    "<fill><patternFill patternType=\"none\"/></fill>"
    "<fill><patternFill patternType=\"gray125\"/></fill>"
    "<fill><patternFill patternType=\"solid\"><fgColor rgb=\"FFDDEBF7\"/><bgColor "
    "indexed=\"64\"/></patternFill></fill>"
    "</fills>"
    "<borders count=\"2\">"
    "<border><left/><right/><top/><bottom/><diagonal/></border>"
    "<border><left style=\"thin\"><color auto=\"1\"/></left><right style=\"thin\"><color auto=\"1\"/></right>"
    "<top style=\"thin\"><color auto=\"1\"/></top><bottom style=\"thin\"><color "
    "auto=\"1\"/></bottom><diagonal/></border>"
    "</borders>"
    "<cellStyleXfs count=\"1\"><xf numFmtId=\"0\" fontId=\"0\" fillId=\"0\" borderId=\"0\"/></cellStyleXfs>"
    "<cellXfs count=\"8\">"
    "<xf numFmtId=\"0\" fontId=\"0\" fillId=\"0\" borderId=\"0\" xfId=\"0\"/>"
    "<xf numFmtId=\"0\" fontId=\"2\" fillId=\"0\" borderId=\"0\" xfId=\"0\" applyFont=\"1\"/>"
    "<xf numFmtId=\"49\" fontId=\"1\" fillId=\"2\" borderId=\"1\" xfId=\"0\" applyNumberFormat=\"1\" "
    "applyFont=\"1\" "
    "applyFill=\"1\" applyBorder=\"1\" applyAlignment=\"1\"><alignment horizontal=\"center\" "
    "vertical=\"center\" "
    "wrapText=\"1\"/></xf>"
    "<xf numFmtId=\"0\" fontId=\"0\" fillId=\"2\" borderId=\"1\" xfId=\"0\" applyFill=\"1\" "
    "applyBorder=\"1\"/>"
    "<xf numFmtId=\"49\" fontId=\"0\" fillId=\"0\" borderId=\"1\" xfId=\"0\" applyNumberFormat=\"1\" "
    "applyBorder=\"1\" applyAlignment=\"1\"><alignment horizontal=\"center\"/></xf>"
    "<xf numFmtId=\"0\" fontId=\"1\" fillId=\"0\" borderId=\"0\" xfId=\"0\" applyFont=\"1\"/>"
    "<xf numFmtId=\"49\" fontId=\"0\" fillId=\"0\" borderId=\"1\" xfId=\"0\" applyNumberFormat=\"1\" "
    "applyBorder=\"1\"/>"
    "<xf numFmtId=\"0\" fontId=\"3\" fillId=\"0\" borderId=\"0\" xfId=\"0\" applyFont=\"1\"/>"
    "</cellXfs>"
    "<cellStyles count=\"1\"><cellStyle name=\"Normal\" xfId=\"0\" builtinId=\"0\"/></cellStyles>"
    "<dxfs count=\"0\"/>"
    "<tableStyles count=\"0\" defaultTableStyle=\"TableStyleMedium2\" "
    "defaultPivotStyle=\"PivotStyleLight16\"/>"
    "</styleSheet>";

const char* const kContentTypes =
    "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n"
    "<Types xmlns=\"http://schemas.openxmlformats.org/package/2006/content-types\">"
    "<Default Extension=\"rels\" ContentType=\"application/vnd.openxmlformats-package.relationships+xml\"/>"
    "<Default Extension=\"xml\" ContentType=\"application/xml\"/>"
    "<Override PartName=\"/xl/workbook.xml\" "
    "ContentType=\"application/vnd.openxmlformats-officedocument.spreadsheetml.sheet.main+xml\"/>"
    "<Override PartName=\"/xl/worksheets/sheet1.xml\" "
    "ContentType=\"application/vnd.openxmlformats-officedocument.spreadsheetml.worksheet+xml\"/>"
    "<Override PartName=\"/xl/styles.xml\" "
    "ContentType=\"application/vnd.openxmlformats-officedocument.spreadsheetml.styles+xml\"/>"
    "<Override PartName=\"/xl/sharedStrings.xml\" "
    "ContentType=\"application/vnd.openxmlformats-officedocument.spreadsheetml.sharedStrings+xml\"/>"
    "<Override PartName=\"/docProps/core.xml\" "
    "ContentType=\"application/vnd.openxmlformats-package.core-properties+xml\"/>"
    "<Override PartName=\"/docProps/app.xml\" "
    "ContentType=\"application/vnd.openxmlformats-officedocument.extended-properties+xml\"/>"
    "</Types>";

const char* const kPackageRels =
    "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n"
    "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
    "<Relationship Id=\"rId1\" "
    "Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/officeDocument\" "
    "Target=\"xl/workbook.xml\"/>"
    "<Relationship Id=\"rId2\" "
    "Type=\"http://schemas.openxmlformats.org/package/2006/relationships/metadata/core-properties\" "
    "Target=\"docProps/core.xml\"/>"
    "<Relationship Id=\"rId3\" "
    "Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/extended-properties\" "
    "Target=\"docProps/app.xml\"/>"
    "</Relationships>";

const char* const kCore =
    "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n"
    "<cp:coreProperties xmlns:cp=\"http://schemas.openxmlformats.org/package/2006/metadata/core-properties\" "
    "xmlns:dc=\"http://purl.org/dc/elements/1.1/\" xmlns:dcterms=\"http://purl.org/dc/terms/\" "
    "xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\">"
    "<dc:title>Thermal indicator settings</dc:title>"
    "</cp:coreProperties>";

const char* const kApp =
    "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n"
    "<Properties xmlns=\"http://schemas.openxmlformats.org/officeDocument/2006/extended-properties\">"
    "<Application>Parameter configuration software</Application>"
    "</Properties>";

const char* const kWorkbook =
    "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n"
    "<workbook xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\" "
    "xmlns:r=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships\">"
    "<workbookPr/>"
    "<bookViews><workbookView activeTab=\"0\"/></bookViews>"
    "<sheets><sheet name=\"Settings\" sheetId=\"1\" r:id=\"rId1\"/></sheets>"
    "</workbook>";

const char* const kWorkbookRels =
    "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n"
    "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
    "<Relationship Id=\"rId1\" "
    "Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/worksheet\" "
    "Target=\"worksheets/sheet1.xml\"/>"
    "<Relationship Id=\"rId2\" "
    "Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/styles\" "
    "Target=\"styles.xml\"/>"
    "<Relationship Id=\"rId3\" "
    "Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/sharedStrings\" "
    "Target=\"sharedStrings.xml\"/>"
    "</Relationships>";

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <output.xlsx>\n", argv[0]);
        return 2;
    }
    std::vector<std::string> strings;
    const std::string sheet = SheetXml(Layout(), strings);
    const std::string sharedStrings = SharedStringsXml(strings);
    const struct
    {
        const char* name;
        std::string data;
    } parts[] = {
        {"[Content_Types].xml", kContentTypes},
        {"_rels/.rels", kPackageRels},
        {"docProps/core.xml", kCore},
        {"docProps/app.xml", kApp},
        {"xl/workbook.xml", kWorkbook},
        {"xl/_rels/workbook.xml.rels", kWorkbookRels},
        {"xl/styles.xml", kStyles},
        {"xl/sharedStrings.xml", sharedStrings},
        {"xl/worksheets/sheet1.xml", sheet},
    };

    int error = 0;
    zip_t* archive = zip_open(argv[1], ZIP_CREATE | ZIP_TRUNCATE, &error);
    if (!archive) {
        std::fprintf(stderr, "%s: cannot create (libzip error %d)\n", argv[1], error);
        return 1;
    }
    // A fixed date (2025-01-01) keeps the built file the same from build to build.
    const std::time_t stamp = 1735689600;
    for (const auto& part : parts) {
        zip_source_t* source = zip_source_buffer(archive, part.data.data(), part.data.size(), 0);
        const zip_int64_t index = source ? zip_file_add(archive, part.name, source, ZIP_FL_ENC_UTF_8) : -1;
        if (index < 0) {
            if (source)
                zip_source_free(source);
            std::fprintf(stderr, "%s: cannot add %s: %s\n", argv[1], part.name, zip_strerror(archive));
            zip_discard(archive);
            return 1;
        }
        zip_file_set_mtime(archive, zip_uint64_t(index), stamp, 0);
    }
    if (zip_close(archive) < 0) {
        std::fprintf(stderr, "%s: cannot write: %s\n", argv[1], zip_strerror(archive));
        zip_discard(archive);
        return 1;
    }
    return 0;
}
