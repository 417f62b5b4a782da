#include "ScriptedPrompts.h"
#include "TestAppDir.h"
#include "TestFiles.h"
#include "WorkedExample.h"
#include "app/Clock.h"
#include "config/CellAddress.h"
#include "config/Workbook.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

#include <pugixml.hpp>
#include <zip.h>

#include <functional>

using Edit = std::function<void(TIndicatorSettings&)>;
using CellTexts = QMap<QString, QString>;
using Parts = QMap<QString, QByteArray>;
Q_DECLARE_METATYPE(Edit)
Q_DECLARE_METATYPE(WorkbookVariant)

namespace {

const QString kTemplate = QString::fromLatin1(kWorkbookTemplateName);
const QString kTemplateSheet = QStringLiteral("xl/worksheets/sheet1.xml");
const QString kNoExcel =
    QStringLiteral("Unable to connect to Microsoft Excel. Please see if EXCEL is installed.");
const ScriptedPrompts::Message kSaveFailed{QStringLiteral("Save failed!"), QStringLiteral("Prompt"), 64};

// 9 Dec 2025 09:30:00 UTC.
const QDateTime kNow(QDate(2025, 12, 9), QTime(9, 30), Qt::UTC);

TAlarmRule Rule(int direction, const char* threshold, int condition, const char* time)
{
    return {true, direction, QString::fromLatin1(threshold), condition, QString::fromLatin1(time)};
}

// Column B from row 27: the title and then the given lines.
CellTexts Block(const QStringList& lines)
{
    CellTexts cells{{QStringLiteral("B27"), QStringLiteral("setting.txt")}};
    for (int i = 0; i < lines.size(); ++i)
        if (!lines[i].isEmpty())
            cells.insert(QStringLiteral("B%1").arg(28 + i), lines[i]);
    return cells;
}

CellTexts Merge(CellTexts a, const CellTexts& b)
{
    a.insert(b);
    return a;
}

const QStringList kDefaultHead = {
    QStringLiteral("Stop mode:automatic"), QStringLiteral("language:English"),  QStringLiteral("unit:C"),
    QStringLiteral("probe type:in"),       QStringLiteral("Times of use:many"),
};
const QStringList kDefaultTail = {
    QStringLiteral("time zone:(UTC+00:00)"),  QStringLiteral("time:25/12/09 09:30:00"),
    QStringLiteral("Recording days:001days"), QStringLiteral("Recording interval:01min"),
    QStringLiteral("Delayed start:001min"),   QStringLiteral("collect:temperature"),
};

// --- an independent reader of the written package ---------------------------

Parts ReadParts(const QString& path)
{
    Parts parts;
    int error = 0;
    zip_t* archive = zip_open(QFile::encodeName(path).constData(), ZIP_RDONLY, &error);
    if (!archive)
        return parts;
    for (zip_int64_t i = 0; i < zip_get_num_entries(archive, 0); ++i) {
        zip_stat_t st;
        zip_stat_index(archive, zip_uint64_t(i), 0, &st);
        QByteArray data(qsizetype(st.size), Qt::Uninitialized);
        zip_file_t* f = zip_fopen_index(archive, zip_uint64_t(i), 0);
        if (f && zip_fread(f, data.data(), st.size) == zip_int64_t(st.size))
            parts.insert(QString::fromUtf8(st.name), data);
        if (f)
            zip_fclose(f);
    }
    zip_close(archive);
    return parts;
}

bool WriteParts(const QString& path, const QList<std::pair<QString, QByteArray>>& parts)
{
    int error = 0;
    zip_t* archive = zip_open(QFile::encodeName(path).constData(), ZIP_CREATE | ZIP_TRUNCATE, &error);
    if (!archive)
        return false;
    QList<QByteArray> names;
    for (const auto& [name, data] : parts) {
        names.append(name.toUtf8());
        zip_source_t* source = zip_source_buffer(archive, data.constData(), zip_uint64_t(data.size()), 0);
        if (zip_file_add(archive, names.last().constData(), source, 0) < 0)
            return false;
    }
    return zip_close(archive) == 0;
}

QString DecodeEscapes(QString text)
{
    static const QRegularExpression escape(QStringLiteral("_x([0-9A-Fa-f]{4})_"));
    QString out;
    qsizetype from = 0;
    for (auto it = escape.globalMatch(text); it.hasNext();) {
        const auto m = it.next();
        out +=
            text.mid(from, m.capturedStart() - from) + QChar(char16_t(m.captured(1).toUShort(nullptr, 16)));
        from = m.capturedEnd();
    }
    return out + text.mid(from);
}

QString AllText(const pugi::xml_node& node)
{
    QString text;
    for (const pugi::xpath_node& t : node.select_nodes(".//*[local-name()='t']"))
        text += QString::fromUtf8(t.node().text().get());
    return DecodeEscapes(text);
}

struct Cell
{
    QString text;
    QString style;
    QString type;
    QString formula;
    QString formulaRef;
};

struct Sheet
{
    QMap<QString, Cell> cells;
    QStringList order; // cell references in document order
    QString dimension;
    bool parsed = false;

    CellTexts texts() const
    {
        CellTexts result;
        for (auto it = cells.begin(); it != cells.end(); ++it)
            if (!it->text.isEmpty())
                result.insert(it.key(), it->text);
        return result;
    }
};

Sheet ReadSheet(const Parts& parts, const QString& sheetPart)
{
    Sheet sheet;
    QStringList shared;
    pugi::xml_document sst;
    const QByteArray sstBytes = parts.value(QStringLiteral("xl/sharedStrings.xml"));
    if (sst.load_buffer(sstBytes.constData(), size_t(sstBytes.size())))
        for (const pugi::xpath_node& si : sst.select_nodes("//*[local-name()='si']"))
            shared << AllText(si.node());

    pugi::xml_document doc;
    const QByteArray bytes = parts.value(sheetPart);
    if (!doc.load_buffer(bytes.constData(), size_t(bytes.size()),
                         pugi::parse_default | pugi::parse_ws_pcdata))
        return sheet;
    sheet.parsed = true;
    sheet.dimension =
        QString::fromUtf8(doc.select_node("//*[local-name()='dimension']").node().attribute("ref").value());
    for (const pugi::xpath_node& c :
         doc.select_nodes("//*[local-name()='sheetData']/*/*[local-name()='c']")) {
        const pugi::xml_node node = c.node();
        Cell cell;
        cell.style = QString::fromUtf8(node.attribute("s").value());
        cell.type = QString::fromUtf8(node.attribute("t").value());
        const pugi::xml_node f = node.select_node("*[local-name()='f']").node();
        cell.formula = QString::fromUtf8(f.text().get());
        cell.formulaRef = QString::fromUtf8(f.attribute("ref").value());
        const QString v = QString::fromUtf8(node.select_node("*[local-name()='v']").node().text().get());
        if (cell.type == QLatin1String("s"))
            cell.text = shared.value(v.toInt());
        else if (cell.type == QLatin1String("inlineStr"))
            cell.text = AllText(node.select_node("*[local-name()='is']").node());
        else
            cell.text = v;
        const QString ref = QString::fromUtf8(node.attribute("r").value());
        sheet.order << ref;
        sheet.cells.insert(ref, cell);
    }
    return sheet;
}

// Row and column of "C7", for checking the order of rows and cells.
std::pair<int, int> Address(const QString& ref)
{
    static const QRegularExpression pattern(QStringLiteral("^([A-Z]+)([0-9]+)$"));
    const auto m = pattern.match(ref);
    int column = 0;
    for (QChar c : m.captured(1))
        column = column * 26 + (c.unicode() - 'A' + 1);
    return {m.captured(2).toInt(), column};
}

bool InDocumentOrder(const QStringList& refs)
{
    for (qsizetype i = 1; i < refs.size(); ++i)
        if (!(Address(refs[i - 1]) < Address(refs[i])))
            return false;
    return true;
}

// Elements whose name lacks the prefix the package's elements are written
// with: they would fall outside the spreadsheet namespace.
QStringList ElementsWithoutPrefix(const QByteArray& xml, const QString& prefix)
{
    QStringList names;
    pugi::xml_document doc;
    doc.load_buffer(xml.constData(), size_t(xml.size()));
    for (const pugi::xpath_node& n : doc.select_nodes("//*")) {
        const QString name = QString::fromUtf8(n.node().name());
        if (!name.startsWith(prefix + QLatin1Char(':')))
            names << name;
    }
    return names;
}

// --- a template as another spreadsheet program saves it ----------------------
//
// Two sheets, the second active; shared strings; styled cells that the export
// overwrites; rows missing in between; a row format and a column format; a
// formula and a shared formula in written cells with a calculation chain.
// `prefix` writes every spreadsheet element with a namespace prefix, and
// `templateType` marks the package as a template (.xltx).
QList<std::pair<QString, QByteArray>> ForeignTemplate(const QString& prefix, const QString& relPrefix,
                                                      bool templateType)
{
    const QString main = QStringLiteral("http://schemas.openxmlformats.org/spreadsheetml/2006/main");
    const QString rels =
        QStringLiteral("http://schemas.openxmlformats.org/officeDocument/2006/relationships");
    const QString p = prefix.isEmpty() ? QString() : prefix + QLatin1Char(':');
    const QString mainDecl = prefix.isEmpty() ? QStringLiteral("xmlns=\"%1\"").arg(main)
                                              : QStringLiteral("xmlns:%1=\"%2\"").arg(prefix, main);
    const QString decl = QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n");
    auto xml = [&](QString text) {
        return (decl + text.replace(QStringLiteral("<~"), QLatin1Char('<') + p)
                           .replace(QStringLiteral("</~"), QStringLiteral("</") + p))
            .toUtf8();
    };
    const QString workbookType =
        templateType
            ? QStringLiteral("application/vnd.openxmlformats-officedocument.spreadsheetml.template.main+xml")
            : QStringLiteral("application/vnd.openxmlformats-officedocument.spreadsheetml.sheet.main+xml");
    const QString typePrefix = QStringLiteral("application/vnd.openxmlformats-officedocument.spreadsheetml.");
    return {
        {QStringLiteral("[Content_Types].xml"),
         (decl +
          QStringLiteral("<Types xmlns=\"http://schemas.openxmlformats.org/package/2006/content-types\">"
                         "<Default Extension=\"rels\" "
                         "ContentType=\"application/vnd.openxmlformats-package.relationships+xml\"/>"
                         "<Default Extension=\"xml\" ContentType=\"application/xml\"/>"
                         "<Override PartName=\"/xl/workbook.xml\" ContentType=\"%1\"/>"
                         "<Override PartName=\"/xl/worksheets/sheet1.xml\" ContentType=\"%2worksheet+xml\"/>"
                         "<Override PartName=\"/xl/worksheets/sheet2.xml\" ContentType=\"%2worksheet+xml\"/>"
                         "<Override PartName=\"/xl/styles.xml\" ContentType=\"%2styles+xml\"/>"
                         "<Override PartName=\"/xl/sharedStrings.xml\" ContentType=\"%2sharedStrings+xml\"/>"
                         "<Override PartName=\"/xl/calcChain.xml\" ContentType=\"%2calcChain+xml\"/>"
                         "</Types>")
              .arg(workbookType, typePrefix))
             .toUtf8()},
        {QStringLiteral("_rels/.rels"),
         (decl + QStringLiteral(
                     "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
                     "<Relationship Id=\"rId1\" Type=\"%1/officeDocument\" Target=\"xl/workbook.xml\"/>"
                     "</Relationships>")
                     .arg(rels))
             .toUtf8()},
        {QStringLiteral("xl/workbook.xml"),
         xml(QStringLiteral(
                 "<~workbook %1 xmlns:%2=\"%3\"><~fileVersion appName=\"Calc\"/><~workbookPr/>"
                 "<~bookViews><~workbookView activeTab=\"1\"/></~bookViews>"
                 "<~sheets><~sheet name=\"Cover\" sheetId=\"1\" %2:id=\"rId2\"/>"
                 "<~sheet name=\"Record\" sheetId=\"2\" %2:id=\"rId3\"/></~sheets>"
                 "<~definedNames><~definedName name=\"Limit\">Record!$C$7</~definedName></~definedNames>"
                 "</~workbook>")
                 .arg(mainDecl, relPrefix, rels))},
        {QStringLiteral("xl/_rels/workbook.xml.rels"),
         (decl + QStringLiteral(
                     "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
                     "<Relationship Id=\"rId3\" Type=\"%1/worksheet\" Target=\"/xl/worksheets/sheet2.xml\"/>"
                     "<Relationship Id=\"rId1\" Type=\"%1/styles\" Target=\"styles.xml\"/>"
                     "<Relationship Id=\"rId2\" Type=\"%1/worksheet\" Target=\"worksheets/sheet1.xml\"/>"
                     "<Relationship Id=\"rId4\" Type=\"%1/sharedStrings\" Target=\"sharedStrings.xml\"/>"
                     "<Relationship Id=\"rId9\" Type=\"%1/calcChain\" Target=\"./calcChain.xml\"/>"
                     "</Relationships>")
                     .arg(rels))
             .toUtf8()},
        {QStringLiteral("xl/styles.xml"),
         xml(QStringLiteral(
                 "<~styleSheet %1><~fonts count=\"2\"><~font><~sz val=\"10\"/><~name val=\"Arial\"/></~font>"
                 "<~font><~b/><~sz val=\"10\"/><~name val=\"Arial\"/></~font></~fonts>"
                 "<~fills count=\"2\"><~fill><~patternFill patternType=\"none\"/></~fill>"
                 "<~fill><~patternFill patternType=\"gray125\"/></~fill></~fills>"
                 "<~borders "
                 "count=\"1\"><~border><~left/><~right/><~top/><~bottom/><~diagonal/></~border></~borders>"
                 "<~cellStyleXfs count=\"1\"><~xf numFmtId=\"0\" fontId=\"0\" fillId=\"0\" "
                 "borderId=\"0\"/></~cellStyleXfs>"
                 "<~cellXfs count=\"8\">"
                 "<~xf numFmtId=\"0\" fontId=\"0\" fillId=\"0\" borderId=\"0\" xfId=\"0\"/>"
                 "<~xf numFmtId=\"0\" fontId=\"1\" fillId=\"0\" borderId=\"0\" xfId=\"0\" applyFont=\"1\"/>"
                 "<~xf numFmtId=\"0\" fontId=\"1\" fillId=\"0\" borderId=\"0\" xfId=\"0\" applyFont=\"1\"/>"
                 "<~xf numFmtId=\"0\" fontId=\"1\" fillId=\"0\" borderId=\"0\" xfId=\"0\" applyFont=\"1\"/>"
                 "<~xf numFmtId=\"49\" fontId=\"0\" fillId=\"0\" borderId=\"0\" xfId=\"0\" "
                 "applyNumberFormat=\"1\"/>"
                 "<~xf numFmtId=\"49\" fontId=\"1\" fillId=\"0\" borderId=\"0\" xfId=\"0\" "
                 "applyNumberFormat=\"1\"/>"
                 "<~xf numFmtId=\"49\" fontId=\"0\" fillId=\"0\" borderId=\"0\" xfId=\"0\" "
                 "applyNumberFormat=\"1\"/>"
                 "<~xf numFmtId=\"0\" fontId=\"1\" fillId=\"0\" borderId=\"0\" xfId=\"0\" applyFont=\"1\"/>"
                 "</~cellXfs><~cellStyles count=\"1\"><~cellStyle name=\"Normal\" xfId=\"0\" "
                 "builtinId=\"0\"/></~cellStyles>"
                 "</~styleSheet>")
                 .arg(mainDecl))},
        {QStringLiteral("xl/sharedStrings.xml"),
         xml(QStringLiteral("<~sst %1 count=\"5\" uniqueCount=\"4\"><~si><~t>Interval</~t></~si><~si><~t>old "
                            "text</~t></~si>"
                            "<~si><~r><~t>Alarm </~t></~r><~r><~rPr><~b/></~rPr><~t>1</~t></~r></~si>"
                            "<~si><~t>keep me</~t></~si></~sst>")
                 .arg(mainDecl))},
        {QStringLiteral("xl/worksheets/sheet1.xml"),
         xml(QStringLiteral(
                 "<~worksheet %1><~sheetData><~row r=\"1\"><~c r=\"A1\" t=\"s\"><~v>3</~v></~c></~row>"
                 "</~sheetData></~worksheet>")
                 .arg(mainDecl))},
        {QStringLiteral("xl/worksheets/sheet2.xml"),
         xml(QStringLiteral(
                 "<~worksheet %1 xmlns:r=\"%2\"><~dimension ref=\"A4:F30\"/>"
                 "<~sheetViews><~sheetView tabSelected=\"1\" workbookViewId=\"0\"/></~sheetViews>"
                 "<~cols><~col min=\"2\" max=\"2\" width=\"40\" style=\"7\" customWidth=\"1\"/></~cols>"
                 "<~sheetData>\n"
                 "  <~row r=\"4\"><~c r=\"B4\" s=\"3\" t=\"s\"><~v>0</~v></~c><~c r=\"C4\" s=\"5\" "
                 "t=\"s\"><~v>1</~v></~c></~row>\n"
                 "  <~row r=\"7\" spans=\"2:6\"><~c r=\"B7\" s=\"3\" t=\"s\"><~v>2</~v></~c><~c r=\"F7\" "
                 "s=\"2\"><~v>42</~v></~c></~row>\n"
                 "  <~row r=\"8\"><~c r=\"C8\" s=\"4\"><~f>F7*2</~f><~v>84</~v></~c></~row>\n"
                 "  <~row r=\"9\"><~c r=\"C9\" s=\"4\"><~f t=\"shared\" ref=\"C9:C11\" "
                 "si=\"0\">F7+1</~f><~v>43</~v></~c></~row>\n"
                 "  <~row r=\"10\"><~c r=\"C10\" s=\"4\"><~f t=\"shared\" si=\"0\"/><~v>1</~v></~c></~row>\n"
                 "  <~row r=\"11\"><~c r=\"C11\" s=\"4\"><~f t=\"shared\" si=\"0\"/><~v>1</~v></~c></~row>\n"
                 "  <~row r=\"28\" s=\"6\" customFormat=\"1\"/>\n"
                 "  <~row r=\"30\"><~c r=\"A30\" s=\"2\" t=\"s\"><~v>3</~v></~c><~c r=\"B30\" "
                 "t=\"s\"><~v>3</~v></~c></~row>\n"
                 "</~sheetData><~pageMargins left=\"0.7\" right=\"0.7\" top=\"0.75\" bottom=\"0.75\" "
                 "header=\"0.3\" footer=\"0.3\"/>"
                 "</~worksheet>")
                 .arg(mainDecl, rels))},
        {QStringLiteral("xl/calcChain.xml"),
         xml(QStringLiteral("<~calcChain %1><~c r=\"C8\" i=\"2\"/><~c r=\"C9\"/><~c r=\"C10\"/><~c "
                            "r=\"C11\"/></~calcChain>")
                 .arg(mainDecl))},
    };
}

} // namespace

class TestWorkbook : public QObject
{
    Q_OBJECT

    // Writes with the built template in a fresh application directory and
    // reads back the template's sheet and the result's.
    struct Outcome
    {
        WorkbookResult returned = WorkbookResult::Failed;
        Sheet before;
        Sheet after;
        Parts templateParts;
        Parts resultParts;
    };

    Outcome exportWith(const TIndicatorSettings& settings, WorkbookVariant variant, const QString& target)
    {
        Outcome o;
        o.templateParts = ReadParts(BuiltAppDir() + QLatin1Char('/') + kTemplate);
        o.before = ReadSheet(o.templateParts, kTemplateSheet);
        o.returned = WriteSettingsWorkbook(settings, target, variant);
        o.resultParts = ReadParts(target);
        o.after = ReadSheet(o.resultParts, kTemplateSheet);
        return o;
    }

private slots:
    void initTestCase()
    {
        SetFixedClock(kNow);
        QVERIFY2(QFile::exists(BuiltAppDir() + QLatin1Char('/') + kTemplate),
                 "the built template is missing");
    }

    void cleanupTestCase() { SetFixedClock(QDateTime()); }

    void builtTemplateLabelsTheCellMap()
    {
        const Sheet sheet =
            ReadSheet(ReadParts(BuiltAppDir() + QLatin1Char('/') + kTemplate), kTemplateSheet);
        QVERIFY(sheet.parsed);
        QCOMPARE(sheet.cells.value(QStringLiteral("B4")).text, QStringLiteral("Recording interval (min)"));
        QCOMPARE(sheet.cells.value(QStringLiteral("B5")).text, QStringLiteral("Delayed start (min)"));
        QCOMPARE(sheet.cells.value(QStringLiteral("E6")).text, QStringLiteral("Alarm time"));
        QCOMPARE(sheet.cells.value(QStringLiteral("B18")).text, QStringLiteral("Alarm 1"));
        // The cells the export fills are there, formatted and empty.
        for (const char* ref : {"C4", "C5", "C7", "E14", "C18", "E25", "B27", "B63"}) {
            const Cell cell = sheet.cells.value(QString::fromLatin1(ref));
            QVERIFY2(!cell.style.isEmpty() && cell.text.isEmpty(), ref);
        }
    }

    void fullVariant_data()
    {
        QTest::addColumn<Edit>("edit");
        QTest::addColumn<CellTexts>("expected");

        const CellTexts defaultsC = {{QStringLiteral("C4"), QStringLiteral("1")},
                                     {QStringLiteral("C5"), QStringLiteral("1")}};
        const QString pdfOnly = QStringLiteral("output format:PDF.   >>PDF custom:no.");

        QTest::newRow("defaults") << Edit([](TIndicatorSettings&) {
        }) << Merge(defaultsC, Block(kDefaultHead + QStringList{pdfOnly} + kDefaultTail));

        QTest::newRow("documented example")
            << Edit([](TIndicatorSettings& s) { s = WorkedExampleSettings(); })
            << Merge(CellTexts{{QStringLiteral("C4"), QStringLiteral("10")},
                               {QStringLiteral("C5"), QStringLiteral("30")},
                               {QStringLiteral("C7"), QStringLiteral("8")},
                               {QStringLiteral("D7"), QStringLiteral("Increase")},
                               {QStringLiteral("E7"), QStringLiteral("30 min")},
                               {QStringLiteral("C8"), QStringLiteral("2")},
                               {QStringLiteral("D8"), QStringLiteral("Decrease")},
                               {QStringLiteral("E8"), QStringLiteral("1 h")},
                               {QStringLiteral("C9"), QStringLiteral("25")},
                               {QStringLiteral("D9"), QStringLiteral("Increase")},
                               {QStringLiteral("E9"), QStringLiteral("1 time")},
                               {QStringLiteral("C18"), QStringLiteral("80")},
                               {QStringLiteral("D18"), QStringLiteral("Increase")},
                               {QStringLiteral("E18"), QStringLiteral("2 h")}},
                     Block(kDefaultHead +
                           QStringList{
                               QStringLiteral("output format:PDF and CSV.   >>PDF custom:yes."),
                               QStringLiteral(">>logo:Please write your Logo."),
                               QStringLiteral(">>Time format:DD/MM/YY."),
                               QStringLiteral(">>Device ID:180500004A."),
                               QStringLiteral(">>Trip description:New York to Canada."),
                               QStringLiteral("time zone:(UTC+08:00)"),
                               QStringLiteral("time:25/12/09 17:30:00"),
                               QStringLiteral("Recording days:090days"),
                               QStringLiteral("Recording interval:10min"),
                               QStringLiteral("Delayed start:030min"),
                               QStringLiteral("collect:temperature"),
                               QStringLiteral("Alarm 1:above 08.0(C),Accumulative alarm 00030(min)"),
                               QStringLiteral("Alarm 2:below 02.0(C),Accumulative alarm 00060(min)"),
                               QStringLiteral("Alarm 3:above 25.0(C),Instantly 00001(time)"),
                               QStringLiteral("collect:humidity"),
                               QStringLiteral("Alarm 1:above 80.0(H),Accumulative alarm 00120(min)"),
                           }));

        QTest::newRow("chain stops at the first rule off")
            << Edit([](TIndicatorSettings& s) {
                   s.TemperatureAlarms[0] = Rule(TAlarmRule::Above, "8", TAlarmRule::Accumulative, "30");
                   s.TemperatureAlarms[1] = Rule(TAlarmRule::Below, "-2.5", TAlarmRule::Instantly, "3");
                   s.TemperatureAlarms[3] = Rule(TAlarmRule::Above, "40", TAlarmRule::Accumulative, "10");
               })
            << Merge(Merge(defaultsC, {{QStringLiteral("C7"), QStringLiteral("8")},
                                       {QStringLiteral("D7"), QStringLiteral("Increase")},
                                       {QStringLiteral("E7"), QStringLiteral("30 min")},
                                       {QStringLiteral("C8"), QStringLiteral("-2.5")},
                                       {QStringLiteral("D8"), QStringLiteral("Decrease")},
                                       {QStringLiteral("E8"), QStringLiteral("3 times")}}),
                     Block(kDefaultHead + QStringList{pdfOnly} + kDefaultTail +
                           QStringList{QStringLiteral("Alarm 1:above 08.0(C),Accumulative alarm 00030(min)"),
                                       QStringLiteral("Alarm 2:below -02.5(C),Instantly 00003(time)")}));

        QStringList delayOff = kDefaultTail;
        delayOff[4] = QStringLiteral("Delayed start:000min");
        QTest::newRow("delay off keeps the typed delay in C5")
            << Edit([](TIndicatorSettings& s) {
                   s.DelayEnabled = false;
                   s.DelayedStart = QStringLiteral("30");
               })
            << Merge(CellTexts{{QStringLiteral("C4"), QStringLiteral("1")},
                               {QStringLiteral("C5"), QStringLiteral("30")}},
                     Block(kDefaultHead + QStringList{pdfOnly} + delayOff));

        QTest::newRow("temperature off moves the lines up")
            << Edit([](TIndicatorSettings& s) {
                   s.CollectTemperature = false;
                   s.TemperatureAlarms[0] = Rule(TAlarmRule::Above, "8", TAlarmRule::Accumulative, "30");
                   s.CollectHumidity = true;
                   s.HumidityAlarms[0] = Rule(TAlarmRule::Below, "55", TAlarmRule::Instantly, "0");
               })
            << Merge(Merge(defaultsC, {{QStringLiteral("C18"), QStringLiteral("55")},
                                       {QStringLiteral("D18"), QStringLiteral("Decrease")},
                                       {QStringLiteral("E18"), QStringLiteral("0 time")}}),
                     Block({QStringLiteral("Stop mode:automatic"), QStringLiteral("language:English"),
                            QStringLiteral("probe type:in"), QStringLiteral("Times of use:many"), pdfOnly,
                            QStringLiteral("time zone:(UTC+00:00)"), QStringLiteral("time:25/12/09 09:30:00"),
                            QStringLiteral("Recording days:001days"),
                            QStringLiteral("Recording interval:01min"),
                            QStringLiteral("Delayed start:001min"), QStringLiteral("collect:humidity"),
                            QStringLiteral("Alarm 1:below 55.0(H),Instantly 00000(time)")}));

        QTest::newRow("humidity off writes no humidity table") << Edit([](TIndicatorSettings& s) {
            s.CollectHumidity = false;
            s.HumidityAlarms[0] = Rule(TAlarmRule::Above, "80", TAlarmRule::Accumulative, "120");
        }) << Merge(defaultsC, Block(kDefaultHead + QStringList{pdfOnly} + kDefaultTail));

        QTest::newRow("PDF and CSV without header lines share one cell")
            << Edit([](TIndicatorSettings& s) { s.OutputCsv = true; })
            << Merge(defaultsC,
                     Block(kDefaultHead +
                           QStringList{QStringLiteral("output format:PDF and CSV.   >>PDF custom:no.")} +
                           kDefaultTail));

        QTest::newRow("CSV only")
            << Edit([](TIndicatorSettings& s) {
                   s.OutputPdf = false;
                   s.OutputCsv = true;
                   s.PdfShowLogo = true;
               })
            << Merge(defaultsC,
                     Block(kDefaultHead + QStringList{QStringLiteral("output format:CSV.")} + kDefaultTail));

        QTest::newRow("no output format leaves its row empty") << Edit([](TIndicatorSettings& s) {
            s.OutputPdf = false;
            s.OutputCsv = false;
        }) << Merge(defaultsC, Block(kDefaultHead + QStringList{QString()} + kDefaultTail));

        QTest::newRow("texts are written as typed, an empty one leaves the cell blank")
            << Edit([](TIndicatorSettings& s) {
                   s.RecordingInterval = QString();
                   s.DelayedStart = QStringLiteral(" 007 ");
               })
            << Merge(CellTexts{{QStringLiteral("C5"), QStringLiteral(" 007 ")}},
                     Block(kDefaultHead + QStringList{pdfOnly, QStringLiteral("time zone:(UTC+00:00)"),
                                                      QStringLiteral("time:25/12/09 09:30:00"),
                                                      QStringLiteral("Recording days:001days"),
                                                      QStringLiteral("Recording interval:min"),
                                                      QStringLiteral("Delayed start:007min"),
                                                      QStringLiteral("collect:temperature")}));
    }

    // Exactly the cells of the map change; every other cell, every style and
    // every other part of the template stays as it was.
    void fullVariant()
    {
        QFETCH(Edit, edit);
        QFETCH(CellTexts, expected);
        TestAppDir app;
        QVERIFY(app.copyFromBuild(kTemplate));
        ScriptedPrompts prompts;
        TIndicatorSettings settings;
        edit(settings);

        const Outcome o =
            exportWith(settings, WorkbookVariant::Full, app.filePath(QStringLiteral("out.xlsx")));
        QCOMPARE(o.returned, WorkbookResult::Saved);
        QVERIFY(prompts.messages().isEmpty());
        QVERIFY(o.after.parsed);
        QCOMPARE(o.after.texts(), Merge(o.before.texts(), expected));
        for (auto it = o.before.cells.begin(); it != o.before.cells.end(); ++it)
            QCOMPARE(o.after.cells.value(it.key()).style, it->style);
        for (const QString& ref : expected.keys())
            QCOMPARE(o.after.cells.value(ref).type, QStringLiteral("inlineStr"));
        QVERIFY(InDocumentOrder(o.after.order));
        QCOMPARE(o.resultParts.keys(), o.templateParts.keys());
        for (auto it = o.templateParts.begin(); it != o.templateParts.end(); ++it)
            if (it.key() != kTemplateSheet)
                QVERIFY2(o.resultParts.value(it.key()) == *it, qPrintable(it.key()));
        QCOMPARE(prompts.problems(), QString());
    }

    void alarmColumns_data()
    {
        QTest::addColumn<WorkbookVariant>("variant");
        QTest::addColumn<int>("direction");
        QTest::addColumn<int>("condition");
        QTest::addColumn<QString>("time");
        QTest::addColumn<QString>("columnD");
        QTest::addColumn<QString>("columnE");

        const auto full = WorkbookVariant::Full;
        const auto temperatureOnly = WorkbookVariant::TemperatureOnly;
        const int acc = TAlarmRule::Accumulative;
        const int inst = TAlarmRule::Instantly;
        const int above = TAlarmRule::Above;
        const int below = TAlarmRule::Below;
        const QString inc = QStringLiteral("Increase");
        const QString dec = QStringLiteral("Decrease");
        QTest::newRow("90 min") << full << above << acc << "90" << inc << "90 min";
        QTest::newRow("120 is 2 h") << full << below << acc << "120" << dec << "2 h";
        QTest::newRow("0 is 0 h") << full << above << acc << "0" << inc << "0 h";
        QTest::newRow("leading zero 0120 is 2 h") << full << above << acc << "0120" << inc << "2 h";
        QTest::newRow("grouped 1,010 keeps its grouping")
            << full << above << acc << "1,010" << inc << "1,010 min";
        QTest::newRow("grouped 1,020 is 17 h") << full << above << acc << "1,020" << inc << "17 h";
        QTest::newRow("instantly 1 time") << full << below << inst << "1" << dec << "1 time";
        QTest::newRow("instantly 0 time") << full << above << inst << "0" << inc << "0 time";
        QTest::newRow("instantly 2 times") << full << above << inst << "2" << inc << "2 times";
        QTest::newRow("instantly grouped 1,000 times")
            << full << above << inst << "1,000" << inc << "1,000 times";
        QTest::newRow("temperature only 90 min")
            << temperatureOnly << below << acc << "90" << dec << "90 min";
        QTest::newRow("temperature only 1020 is 17 h")
            << temperatureOnly << above << acc << "1020" << inc << "17 h";
        QTest::newRow("temperature only 5 times")
            << temperatureOnly << above << inst << "5" << inc << "5 times";
    }

    void alarmColumns()
    {
        QFETCH(WorkbookVariant, variant);
        QFETCH(int, direction);
        QFETCH(int, condition);
        QFETCH(QString, time);
        QFETCH(QString, columnD);
        QFETCH(QString, columnE);
        TestAppDir app;
        QVERIFY(app.copyFromBuild(kTemplate));
        ScriptedPrompts prompts;
        TIndicatorSettings settings;
        settings.TemperatureAlarms[0] = {true, direction, QStringLiteral("12.5"), condition, time};

        const Outcome o = exportWith(settings, variant, app.filePath(QStringLiteral("out.xlsx")));
        QCOMPARE(o.returned, WorkbookResult::Saved);
        QCOMPARE(o.after.cells.value(QStringLiteral("C7")).text, QStringLiteral("12.5"));
        QCOMPARE(o.after.cells.value(QStringLiteral("D7")).text, columnD);
        QCOMPARE(o.after.cells.value(QStringLiteral("E7")).text, columnE);
        QCOMPARE(o.after.cells.value(QStringLiteral("C8")).text, QString());
        QCOMPARE(prompts.problems(), QString());
    }

    void temperatureOnlyVariant()
    {
        TestAppDir app;
        QVERIFY(app.copyFromBuild(kTemplate));
        const QString target = app.filePath(QStringLiteral("out.xlsx"));
        QVERIFY(app.writeFile(QStringLiteral("out.xlsx"), "an earlier file"));
        ScriptedPrompts prompts;
        TIndicatorSettings settings = WorkedExampleSettings();
        settings.CollectTemperature = false; // the table is written all the same

        const Outcome o = exportWith(settings, WorkbookVariant::TemperatureOnly, target);
        QCOMPARE(o.returned, WorkbookResult::Saved);
        QVERIFY(prompts.messages().isEmpty()); // replaced without a question
        const CellTexts expected = {
            {QStringLiteral("C4"), QStringLiteral("10")},
            {QStringLiteral("C5"), QStringLiteral("30")},
            {QStringLiteral("C7"), QStringLiteral("8")},
            {QStringLiteral("D7"), QStringLiteral("Increase")},
            {QStringLiteral("E7"), QStringLiteral("30 min")},
            {QStringLiteral("C8"), QStringLiteral("2")},
            {QStringLiteral("D8"), QStringLiteral("Decrease")},
            {QStringLiteral("E8"), QStringLiteral("1 h")},
            {QStringLiteral("C9"), QStringLiteral("25")},
            {QStringLiteral("D9"), QStringLiteral("Increase")},
            {QStringLiteral("E9"), QStringLiteral("1 time")},
        };
        QCOMPARE(o.after.texts(), Merge(o.before.texts(), expected));
        QCOMPARE(prompts.problems(), QString());
    }

    void unreadableAlarmTimeFails_data()
    {
        QTest::addColumn<WorkbookVariant>("variant");
        QTest::addColumn<Edit>("edit");

        QTest::newRow("temperature only, grouped 1,000")
            << WorkbookVariant::TemperatureOnly << Edit([](TIndicatorSettings& s) {
                   s.TemperatureAlarms[0] = Rule(TAlarmRule::Above, "8", TAlarmRule::Accumulative, "1,000");
               });
        QTest::newRow("full, empty humidity time")
            << WorkbookVariant::Full << Edit([](TIndicatorSettings& s) {
                   s.CollectHumidity = true;
                   s.HumidityAlarms[0] = Rule(TAlarmRule::Above, "80", TAlarmRule::Accumulative, "");
               });
        QTest::newRow("full, a fraction") << WorkbookVariant::Full << Edit([](TIndicatorSettings& s) {
            s.TemperatureAlarms[0] = Rule(TAlarmRule::Above, "8", TAlarmRule::Instantly, "1.5");
        });
    }

    // No file is written and an earlier one stays as it was.
    void unreadableAlarmTimeFails()
    {
        QFETCH(WorkbookVariant, variant);
        QFETCH(Edit, edit);
        TestAppDir app;
        QVERIFY(app.copyFromBuild(kTemplate));
        QVERIFY(app.writeFile(QStringLiteral("out.xlsx"), "an earlier file"));
        ScriptedPrompts prompts;
        TIndicatorSettings settings;
        edit(settings);

        QCOMPARE(WriteSettingsWorkbook(settings, app.filePath(QStringLiteral("out.xlsx")), variant),
                 WorkbookResult::Failed);
        QCOMPARE(prompts.messages(), QList<ScriptedPrompts::Message>{kSaveFailed});
        QCOMPARE(ReadAll(app.filePath(QStringLiteral("out.xlsx"))), QByteArray("an earlier file"));
        QCOMPARE(DirEntries(app.path()).size(), 2);
        QCOMPARE(prompts.problems(), QString());
    }

    void replaceQuestion_data()
    {
        QTest::addColumn<int>("answer");
        QTest::newRow("yes replaces") << int(IdYes);
        QTest::newRow("no keeps the file") << int(IdNo);
    }

    void replaceQuestion()
    {
        QFETCH(int, answer);
        TestAppDir app;
        QVERIFY(app.copyFromBuild(kTemplate));
        const QString target = app.filePath(QStringLiteral("out.xlsx"));
        QVERIFY(app.writeFile(QStringLiteral("out.xlsx"), "an earlier file"));
        ScriptedPrompts prompts;
        prompts.answer(answer);

        QCOMPARE(WriteSettingsWorkbook(TIndicatorSettings(), target, WorkbookVariant::Full),
                 answer == IdYes ? WorkbookResult::Saved : WorkbookResult::Declined);
        const ScriptedPrompts::Message question{
            QStringLiteral("A file named '") + target +
                QStringLiteral("'already exists in this location. Do you want to replace it?"),
            QStringLiteral("Prompt"), 36};
        QCOMPARE(prompts.messages(), QList<ScriptedPrompts::Message>{question});
        if (answer == IdYes)
            QCOMPARE(ReadSheet(ReadParts(target), kTemplateSheet).cells.value(QStringLiteral("B27")).text,
                     QStringLiteral("setting.txt"));
        else
            QCOMPARE(ReadAll(target), QByteArray("an earlier file"));
        QCOMPARE(DirEntries(app.path()).size(), 2);
        QCOMPARE(prompts.problems(), QString());
    }

    void unusableTemplate_data()
    {
        QTest::addColumn<QByteArray>("templateBytes"); // empty: no template at all
        QTest::newRow("missing") << QByteArray();
        QTest::newRow("not a package") << QByteArray("Thermal indicator settings\r\n");
        QList<std::pair<QString, QByteArray>> parts = ForeignTemplate(QString(), QStringLiteral("r"), false);
        parts.removeIf([](const auto& part) { return part.first == QLatin1String("xl/workbook.xml"); });
        QTemporaryDir dir;
        WriteParts(dir.filePath(QStringLiteral("t.xlsx")), parts);
        QTest::newRow("package without a workbook") << ReadAll(dir.filePath(QStringLiteral("t.xlsx")));
    }

    void unusableTemplate()
    {
        QFETCH(QByteArray, templateBytes);
        TestAppDir app;
        if (!templateBytes.isEmpty())
            QVERIFY(app.writeFile(kTemplate, templateBytes));
        ScriptedPrompts prompts;

        QCOMPARE(WriteSettingsWorkbook(WorkedExampleSettings(), app.filePath(QStringLiteral("out.xlsx")),
                                       WorkbookVariant::Full),
                 WorkbookResult::Failed);
        const ScriptedPrompts::Message noExcel{kNoExcel, QStringLiteral("Prompt"), 16};
        QCOMPARE(prompts.messages(), QList<ScriptedPrompts::Message>{noExcel});
        QVERIFY(!QFile::exists(app.filePath(QStringLiteral("out.xlsx"))));
        QCOMPARE(prompts.problems(), QString());
    }

    void unwritableTarget_data()
    {
        QTest::addColumn<QString>("target"); // relative to the application directory
        QTest::addColumn<bool>("exists");
        QTest::newRow("missing directory") << QStringLiteral("gone/out.xlsx") << false;
        QTest::newRow("a directory in the way") << QStringLiteral("out.xlsx") << true;
    }

    // "Save failed!", whatever was there stays, and no temporary file is left.
    void unwritableTarget()
    {
        QFETCH(QString, target);
        QFETCH(bool, exists);
        TestAppDir app;
        QVERIFY(app.copyFromBuild(kTemplate));
        if (exists)
            QVERIFY(QDir(app.path()).mkdir(target));
        const QStringList filesBefore = DirEntries(app.path());
        ScriptedPrompts prompts;
        if (exists)
            prompts.answer(IdYes);

        QCOMPARE(WriteSettingsWorkbook(TIndicatorSettings(), app.filePath(target), WorkbookVariant::Full),
                 WorkbookResult::Failed);
        QCOMPARE(prompts.messages().last(), kSaveFailed);
        QCOMPARE(DirEntries(app.path()), filesBefore);
        QCOMPARE(QFileInfo(app.filePath(target)).isDir(), exists);
        QCOMPARE(prompts.problems(), QString());
    }

    void foreignTemplate_data()
    {
        QTest::addColumn<QString>("prefix");
        QTest::addColumn<QString>("relPrefix");
        QTest::addColumn<bool>("templateType");
        QTest::newRow("default namespace") << QString() << QStringLiteral("r") << false;
        QTest::newRow("prefixed elements, template package")
            << QStringLiteral("x") << QStringLiteral("rel") << true;
    }

    void foreignTemplate()
    {
        QFETCH(QString, prefix);
        QFETCH(QString, relPrefix);
        QFETCH(bool, templateType);
        TestAppDir app;
        const auto parts = ForeignTemplate(prefix, relPrefix, templateType);
        QVERIFY(WriteParts(app.filePath(kTemplate), parts));
        const Parts before = ReadParts(app.filePath(kTemplate));
        const QString sheetPart = QStringLiteral("xl/worksheets/sheet2.xml");
        const Sheet beforeSheet = ReadSheet(before, sheetPart);
        QVERIFY(beforeSheet.parsed);
        ScriptedPrompts prompts;
        TIndicatorSettings settings;
        settings.TemperatureAlarms[0] = Rule(TAlarmRule::Above, "8", TAlarmRule::Accumulative, "30");
        settings.TemperatureAlarms[1] = Rule(TAlarmRule::Below, "2", TAlarmRule::Accumulative, "60");
        settings.TemperatureAlarms[2] = Rule(TAlarmRule::Above, "25", TAlarmRule::Instantly, "1");
        const QString target = app.filePath(QStringLiteral("out.xlsx"));

        QCOMPARE(WriteSettingsWorkbook(settings, target, WorkbookVariant::Full), WorkbookResult::Saved);
        QVERIFY(prompts.messages().isEmpty());
        const Parts after = ReadParts(target);
        const Sheet sheet = ReadSheet(after, sheetPart);
        QVERIFY(sheet.parsed);

        // The cells of the map, and nothing else, on the active (second) sheet.
        const CellTexts expected =
            Merge(CellTexts{{QStringLiteral("C4"), QStringLiteral("1")},
                            {QStringLiteral("C5"), QStringLiteral("1")},
                            {QStringLiteral("C7"), QStringLiteral("8")},
                            {QStringLiteral("D7"), QStringLiteral("Increase")},
                            {QStringLiteral("E7"), QStringLiteral("30 min")},
                            {QStringLiteral("C8"), QStringLiteral("2")},
                            {QStringLiteral("D8"), QStringLiteral("Decrease")},
                            {QStringLiteral("E8"), QStringLiteral("1 h")},
                            {QStringLiteral("C9"), QStringLiteral("25")},
                            {QStringLiteral("D9"), QStringLiteral("Increase")},
                            {QStringLiteral("E9"), QStringLiteral("1 time")}},
                  Block(kDefaultHead + QStringList{QStringLiteral("output format:PDF.   >>PDF custom:no.")} +
                        kDefaultTail +
                        QStringList{QStringLiteral("Alarm 1:above 08.0(C),Accumulative alarm 00030(min)"),
                                    QStringLiteral("Alarm 2:below 02.0(C),Accumulative alarm 00060(min)"),
                                    QStringLiteral("Alarm 3:above 25.0(C),Instantly 00001(time)")}));
        QCOMPARE(sheet.texts(), Merge(beforeSheet.texts(), expected));
        QVERIFY(InDocumentOrder(sheet.order));
        QCOMPARE(sheet.dimension, QStringLiteral("A4:F42"));
        if (!prefix.isEmpty()) {
            QCOMPARE(ElementsWithoutPrefix(after.value(sheetPart), prefix), QStringList());
            QCOMPARE(ElementsWithoutPrefix(after.value(QStringLiteral("xl/workbook.xml")), prefix),
                     QStringList());
        }

        // Styles: kept on existing cells; a new cell takes its row's format,
        // else its column's.
        QCOMPARE(sheet.cells.value(QStringLiteral("C4")).style, QStringLiteral("5"));
        QCOMPARE(sheet.cells.value(QStringLiteral("C8")).style, QStringLiteral("4"));
        QCOMPARE(sheet.cells.value(QStringLiteral("B28")).style, QStringLiteral("6"));
        QCOMPARE(sheet.cells.value(QStringLiteral("B29")).style, QStringLiteral("7"));
        QCOMPARE(sheet.cells.value(QStringLiteral("D7")).style, QString());
        QCOMPARE(sheet.cells.value(QStringLiteral("F7")).text, QStringLiteral("42"));
        QCOMPARE(sheet.cells.value(QStringLiteral("F7")).type, QString());
        QCOMPARE(sheet.cells.value(QStringLiteral("A30")).text, QStringLiteral("keep me"));

        // Formulas in written cells are gone; the shared formula they led now
        // starts at the next cell, moved as the spreadsheet would move it.
        QCOMPARE(sheet.cells.value(QStringLiteral("C8")).formula, QString());
        QCOMPARE(sheet.cells.value(QStringLiteral("C9")).formula, QString());
        QCOMPARE(sheet.cells.value(QStringLiteral("C10")).formula, QStringLiteral("F8+1"));
        QCOMPARE(sheet.cells.value(QStringLiteral("C10")).formulaRef, QStringLiteral("C10:C11"));
        QCOMPARE(sheet.cells.value(QStringLiteral("C11")).formula, QString());

        // The calculation chain goes with its relationship and content type;
        // the workbook asks to be recalculated; the template type becomes a
        // workbook's.
        QVERIFY(!after.contains(QStringLiteral("xl/calcChain.xml")));
        QVERIFY(!after.value(QStringLiteral("xl/_rels/workbook.xml.rels")).contains("calcChain"));
        QVERIFY(after.value(QStringLiteral("xl/_rels/workbook.xml.rels")).contains("sharedStrings.xml"));
        QVERIFY(!after.value(QStringLiteral("[Content_Types].xml")).contains("calcChain"));
        QVERIFY(!after.value(QStringLiteral("[Content_Types].xml")).contains("template.main"));
        QVERIFY(after.value(QStringLiteral("[Content_Types].xml")).contains("sheet.main+xml"));
        const QByteArray workbook = after.value(QStringLiteral("xl/workbook.xml"));
        QVERIFY(workbook.contains("fullCalcOnLoad=\"1\""));
        QVERIFY(workbook.indexOf("definedNames>") < workbook.indexOf("calcPr"));

        for (const char* untouched :
             {"_rels/.rels", "xl/styles.xml", "xl/sharedStrings.xml", "xl/worksheets/sheet1.xml"})
            QVERIFY2(after.value(QString::fromLatin1(untouched)) ==
                         before.value(QString::fromLatin1(untouched)),
                     untouched);
        QCOMPARE(prompts.problems(), QString());
    }

    // Characters a cell cannot hold as they are survive as escapes; blanks at
    // the ends are kept.
    void cellTextEscapes()
    {
        TestAppDir app;
        QVERIFY(app.copyFromBuild(kTemplate));
        ScriptedPrompts prompts;
        TIndicatorSettings settings;
        settings.RecordingInterval = QStringLiteral("a\x01"
                                                    "b\rc_x0041_d");
        settings.DelayedStart = QStringLiteral("  30 ");
        const Outcome o =
            exportWith(settings, WorkbookVariant::TemperatureOnly, app.filePath(QStringLiteral("o.xlsx")));
        QCOMPARE(o.returned, WorkbookResult::Saved);
        QVERIFY(o.after.parsed);
        QCOMPARE(o.after.cells.value(QStringLiteral("C4")).text, settings.RecordingInterval);
        QCOMPARE(o.after.cells.value(QStringLiteral("C5")).text, settings.DelayedStart);
    }

    void shiftFormula_data()
    {
        QTest::addColumn<QString>("formula");
        QTest::addColumn<int>("rows");
        QTest::addColumn<int>("columns");
        QTest::addColumn<QString>("expected");
        QTest::newRow("relative") << "A1*2" << 1 << 0 << "A2*2";
        QTest::newRow("absolute parts stay") << "$A$1+B$2+$C3" << 2 << 1 << "$A$1+C$2+$C5";
        QTest::newRow("range") << "SUM(A1:B3)" << 1 << 1 << "SUM(B2:C4)";
        QTest::newRow("function names with digits")
            << "LOG10(A1)+ATAN2(B1,C1)" << 1 << 0 << "LOG10(A2)+ATAN2(B2,C2)";
        QTest::newRow("texts stay") << "\"A1\"&A1&\"say \"\"B2\"\"\"" << 1 << 0
                                    << "\"A1\"&A2&\"say \"\"B2\"\"\"";
        QTest::newRow("sheet names stay") << "'Sheet 1'!A1+Data2!B2" << 1 << 0 << "'Sheet 1'!A2+Data2!B3";
        QTest::newRow("whole columns and rows") << "SUM(A:A)+SUM($1:2)" << 1 << 1 << "SUM(B:B)+SUM($1:3)";
        QTest::newRow("numbers") << "A1+1.5E+3+2" << 1 << 0 << "A2+1.5E+3+2";
        QTest::newRow("prefixed and structured") << "_xlfn.XLOOKUP(A1,T[[#This Row],[A1]],C1)" << 1 << 0
                                                 << "_xlfn.XLOOKUP(A2,T[[#This Row],[A1]],C2)";
        QTest::newRow("off the sheet") << "A1+B2" << -1 << 0 << "#REF!+B1";
    }

    void shiftFormula()
    {
        QFETCH(QString, formula);
        QFETCH(int, rows);
        QFETCH(int, columns);
        QFETCH(QString, expected);
        QCOMPARE(ShiftFormulaReferences(formula, rows, columns), expected);
    }
};

QTEST_GUILESS_MAIN(TestWorkbook)
#include "test_workbook.moc"
