#include "OoxmlWorkbook.h"

#include "CellAddress.h"
#include "ZipParts.h"

#include <QFile>

#include <pugixml.hpp>

#include <algorithm>
#include <cctype>
#include <cstring>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace {

const char* const kRelationshipNamespaces[] = {
    "http://schemas.openxmlformats.org/officeDocument/2006/relationships",
    "http://purl.oclc.org/ooxml/officeDocument/relationships",
};
const char* const kTemplateMainType =
    "application/vnd.openxmlformats-officedocument.spreadsheetml.template.main+xml";
const char* const kSheetMainType =
    "application/vnd.openxmlformats-officedocument.spreadsheetml.sheet.main+xml";

// Keep what we re-serialise as it was stored: blanks in cell texts, line ends
// and attribute values, comments and processing instructions.
constexpr unsigned kParseFlags =
    (pugi::parse_full | pugi::parse_ws_pcdata) & ~pugi::parse_eol & ~pugi::parse_wconv_attribute;

// Elements are matched by local name: the spreadsheet namespaces come with
// any prefix (or none), and in a transitional and a strict flavour.
std::string_view LocalName(const char* qualified)
{
    const char* colon = std::strchr(qualified, ':');
    return colon ? std::string_view(colon + 1) : std::string_view(qualified);
}

std::string PrefixOf(pugi::xml_node element)
{
    const std::string_view name = element.name();
    const auto colon = name.find(':');
    return colon == std::string_view::npos ? std::string() : std::string(name.substr(0, colon + 1));
}

bool Is(pugi::xml_node node, std::string_view local)
{
    return node.type() == pugi::node_element && LocalName(node.name()) == local;
}

pugi::xml_node Child(pugi::xml_node parent, std::string_view local)
{
    for (pugi::xml_node child : parent.children())
        if (Is(child, local))
            return child;
    return {};
}

pugi::xml_node Next(pugi::xml_node node, std::string_view local)
{
    for (node = node.next_sibling(); node; node = node.next_sibling())
        if (Is(node, local))
            return node;
    return {};
}

std::string_view NamespaceOf(pugi::xml_node node, std::string_view prefix)
{
    const std::string declaration = prefix.empty() ? std::string("xmlns") : "xmlns:" + std::string(prefix);
    for (; node; node = node.parent())
        if (pugi::xml_attribute a = node.attribute(declaration.c_str()))
            return a.value();
    return {};
}

// The r:id of a <sheet>, whatever prefix the relationships namespace has.
std::string RelationshipIdOf(pugi::xml_node sheet)
{
    for (pugi::xml_attribute a : sheet.attributes()) {
        const std::string_view name = a.name();
        const auto colon = name.find(':');
        if (colon == std::string_view::npos || name.substr(colon + 1) != "id")
            continue;
        const std::string_view ns = NamespaceOf(sheet, name.substr(0, colon));
        for (const char* known : kRelationshipNamespaces)
            if (ns == known)
                return a.value();
    }
    return {};
}

bool IsTrue(pugi::xml_attribute a)
{
    const std::string_view v = a.value();
    return v == "1" || v == "true";
}

bool EndsWith(std::string_view text, std::string_view suffix)
{
    return text.size() >= suffix.size() && text.substr(text.size() - suffix.size()) == suffix;
}

// --- package paths ---------------------------------------------------------

std::string DirectoryOf(const std::string& part)
{
    const auto slash = part.rfind('/');
    return slash == std::string::npos ? std::string() : part.substr(0, slash + 1);
}

std::string RelationshipsPartOf(const std::string& part)
{
    const std::string dir = DirectoryOf(part);
    return dir + "_rels/" + part.substr(dir.size()) + ".rels";
}

// A relationship target, relative to the source part's directory unless it
// starts at the package root, with "." and ".." resolved.
std::string ResolveTarget(const std::string& baseDirectory, const std::string& target)
{
    const std::string joined =
        !target.empty() && target[0] == '/' ? target.substr(1) : baseDirectory + target;
    std::vector<std::string> segments;
    size_t start = 0;
    while (start <= joined.size()) {
        size_t end = joined.find('/', start);
        if (end == std::string::npos)
            end = joined.size();
        const std::string segment = joined.substr(start, end - start);
        if (segment == "..") {
            if (!segments.empty())
                segments.pop_back();
        } else if (!segment.empty() && segment != ".") {
            segments.push_back(segment);
        }
        start = end + 1;
    }
    std::string path;
    for (const std::string& s : segments)
        path += (path.empty() ? "" : "/") + s;
    return path;
}

struct Relationship
{
    pugi::xml_node node;
    std::string id, type, target;
};

std::vector<Relationship> RelationshipsIn(pugi::xml_document& doc)
{
    std::vector<Relationship> result;
    for (pugi::xml_node rel = Child(doc.document_element(), "Relationship"); rel;
         rel = Next(rel, "Relationship"))
        result.push_back({rel, rel.attribute("Id").value(), rel.attribute("Type").value(),
                          rel.attribute("Target").value()});
    return result;
}

// --- XML ---------------------------------------------------------------------

struct ByteWriter final : pugi::xml_writer
{
    QByteArray bytes;
    void write(const void* data, size_t size) override
    {
        bytes.append(static_cast<const char*>(data), qsizetype(size));
    }
};

QByteArray Serialize(pugi::xml_document& doc)
{
    // We always write UTF-8, whatever the part was stored in.
    for (pugi::xml_node node : doc.children())
        if (node.type() == pugi::node_declaration)
            if (pugi::xml_attribute encoding = node.attribute("encoding"))
                encoding.set_value("UTF-8");
    ByteWriter writer;
    doc.save(writer, "", pugi::format_raw, pugi::encoding_utf8);
    return writer.bytes;
}

bool Parse(pugi::xml_document& doc, const QByteArray& bytes)
{
    return doc.load_buffer(bytes.constData(), size_t(bytes.size()), kParseFlags, pugi::encoding_auto) &&
           doc.document_element();
}

bool LooksLikeEscape(const QString& text, qsizetype i)
{
    if (i + 7 > text.size() || text[i] != u'_' || text[i + 1] != u'x' || text[i + 6] != u'_')
        return false;
    for (qsizetype k = i + 2; k < i + 6; ++k)
        if (!isxdigit(text[k].unicode() < 128 ? text[k].unicode() : 0))
            return false;
    return true;
}

// Cell text as stored: characters XML cannot carry (and the carriage return,
// which a reader would fold into a line feed) as _xHHHH_, and a literal
// "_xHHHH_" protected by escaping its underscore, as spreadsheet programs do.
std::string CellTextXml(const QString& text)
{
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t u = text[i].unicode();
        const bool unsafe = (u < 0x20 && u != u'\t' && u != u'\n') || u == 0xFFFE || u == 0xFFFF;
        if (unsafe)
            out += QStringLiteral("_x") + QString::number(u, 16).toUpper().rightJustified(4, u'0') + u'_';
        else if (LooksLikeEscape(text, i))
            out += QStringLiteral("_x005F_");
        else
            out += text[i];
    }
    return out.toStdString();
}

bool NeedsPreserve(const std::string& text)
{
    auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\n'; };
    return !text.empty() && (blank(text.front()) || blank(text.back()));
}

// True when the part holds an <f> element under any prefix: formulas whose
// cached results may now be out of date.
bool MentionsFormula(const QByteArray& xml)
{
    const qsizetype n = xml.size();
    for (qsizetype i = xml.indexOf('<'); i >= 0 && i + 2 < n; i = xml.indexOf('<', i + 1)) {
        qsizetype j = i + 1;
        qsizetype k = j;
        while (k < n && (std::isalnum(static_cast<unsigned char>(xml[k])) || xml[k] == '_' || xml[k] == '-'))
            ++k;
        if (k < n && xml[k] == ':')
            j = k + 1;
        if (j + 1 < n && xml[j] == 'f' && std::strchr(" \t\r\n/>", xml[j + 1]))
            return true;
    }
    return false;
}

} // namespace

// --- the package -------------------------------------------------------------

struct OoxmlWorkbook::Private
{
    struct SharedFormula
    {
        std::string group;
        std::string formula;
        int row, column;
    };

    std::vector<ZipPart> entries;
    QString error;
    std::string workbookPart;
    std::string workbookRelsPart;
    std::string sheetPart;

    pugi::xml_document sheet;
    pugi::xml_node sheetRoot;
    pugi::xml_node sheetData;
    bool sheetChanged = false;
    std::set<std::pair<int, int>> written;
    CellArea writtenArea;
    std::vector<SharedFormula> orphanedShared;
    bool formulaReplaced = false;

    bool fail(const QString& message)
    {
        error = message;
        return false;
    }

    ZipPart* find(const std::string& name)
    {
        for (ZipPart& e : entries)
            if (!e.directory && !e.removed && e.name == name)
                return &e;
        // Part names compare case-insensitively, and may be stored percent-encoded.
        const QString wanted =
            QString::fromUtf8(QByteArray::fromPercentEncoding(QByteArray::fromStdString(name)));
        for (ZipPart& e : entries)
            if (!e.directory && !e.removed &&
                QString::fromStdString(e.name).compare(wanted, Qt::CaseInsensitive) == 0)
                return &e;
        return nullptr;
    }

    bool findActiveSheet();
    void makeAddressesExplicit();
    pugi::xml_node findRow(int row, bool create);
    pugi::xml_node findCell(pugi::xml_node rowNode, int row, int column, bool create);
    std::string defaultStyle(pugi::xml_node rowNode, int column) const;
    void replaceValue(pugi::xml_node cell, int row, int column, const QString& text);
    void repairFormulas();
    void updateDimension();
    bool dropCalcChain();
    bool requestRecalculation();
    bool fixTemplateContentType();
};

bool OoxmlWorkbook::Private::findActiveSheet()
{
    ZipPart* packageRels = find("_rels/.rels");
    pugi::xml_document rootRels;
    if (!packageRels || !Parse(rootRels, packageRels->data))
        return fail(QStringLiteral("The package has no relationships"));
    for (const Relationship& rel : RelationshipsIn(rootRels))
        if (EndsWith(rel.type, "/officeDocument")) {
            workbookPart = ResolveTarget(std::string(), rel.target);
            break;
        }
    ZipPart* workbookEntry = workbookPart.empty() ? nullptr : find(workbookPart);
    if (!workbookEntry)
        return fail(QStringLiteral("The package holds no workbook"));
    workbookPart = workbookEntry->name;

    pugi::xml_document workbook;
    if (!Parse(workbook, workbookEntry->data) || !Is(workbook.document_element(), "workbook"))
        return fail(QStringLiteral("The workbook part cannot be read"));
    const pugi::xml_node root = workbook.document_element();
    const pugi::xml_node view = Child(Child(root, "bookViews"), "workbookView");
    std::vector<pugi::xml_node> sheets;
    for (pugi::xml_node s = Child(Child(root, "sheets"), "sheet"); s; s = Next(s, "sheet"))
        sheets.push_back(s);
    if (sheets.empty())
        return fail(QStringLiteral("The workbook has no sheets"));
    int active = view.attribute("activeTab").as_int(0);
    if (active < 0 || active >= int(sheets.size()))
        active = 0;
    const std::string relationshipId = RelationshipIdOf(sheets[size_t(active)]);

    workbookRelsPart = RelationshipsPartOf(workbookPart);
    ZipPart* relsEntry = find(workbookRelsPart);
    pugi::xml_document rels;
    if (!relsEntry || !Parse(rels, relsEntry->data))
        return fail(QStringLiteral("The workbook has no relationships"));
    workbookRelsPart = relsEntry->name;
    for (const Relationship& rel : RelationshipsIn(rels)) {
        if (rel.id != relationshipId)
            continue;
        if (!EndsWith(rel.type, "/worksheet"))
            return fail(QStringLiteral("The active sheet is not a worksheet"));
        sheetPart = ResolveTarget(DirectoryOf(workbookPart), rel.target);
        break;
    }
    ZipPart* sheetEntry = sheetPart.empty() ? nullptr : find(sheetPart);
    if (!sheetEntry)
        return fail(QStringLiteral("The active sheet is missing"));
    sheetPart = sheetEntry->name;

    if (!Parse(sheet, sheetEntry->data) || !Is(sheet.document_element(), "worksheet"))
        return fail(QStringLiteral("The active sheet cannot be read"));
    sheetRoot = sheet.document_element();
    sheetData = Child(sheetRoot, "sheetData");
    if (!sheetData)
        return fail(QStringLiteral("The active sheet has no cell data"));
    makeAddressesExplicit();
    return true;
}

// Rows and cells may leave out their address and follow on from the one
// before. We insert rows and cells, so each gets its address written down
// first; stored files normally carry them all and stay as they are.
void OoxmlWorkbook::Private::makeAddressesExplicit()
{
    int lastRow = 0;
    for (pugi::xml_node row = Child(sheetData, "row"); row; row = Next(row, "row")) {
        int number = row.attribute("r").as_int(0);
        if (number < 1 || number > kSheetMaxRows) {
            number = lastRow + 1;
            (row.attribute("r") ? row.attribute("r") : row.prepend_attribute("r")).set_value(number);
            sheetChanged = true;
        }
        lastRow = number;
        int lastColumn = 0;
        for (pugi::xml_node cell = Child(row, "c"); cell; cell = Next(cell, "c")) {
            int r, c;
            if (!ParseCellRef(cell.attribute("r").value(), &r, &c)) {
                c = lastColumn + 1;
                const std::string ref = CellRef(number, c);
                (cell.attribute("r") ? cell.attribute("r") : cell.prepend_attribute("r"))
                    .set_value(ref.c_str());
                sheetChanged = true;
            }
            lastColumn = c;
        }
    }
}

pugi::xml_node OoxmlWorkbook::Private::findRow(int row, bool create)
{
    pugi::xml_node before;
    for (pugi::xml_node node = Child(sheetData, "row"); node; node = Next(node, "row")) {
        const int number = node.attribute("r").as_int();
        if (number == row)
            return node;
        if (number > row) {
            before = node;
            break;
        }
    }
    if (!create)
        return {};
    const std::string name = PrefixOf(sheetData) + "row";
    pugi::xml_node added =
        before ? sheetData.insert_child_before(name.c_str(), before) : sheetData.append_child(name.c_str());
    added.append_attribute("r").set_value(row);
    return added;
}

pugi::xml_node OoxmlWorkbook::Private::findCell(pugi::xml_node rowNode, int row, int column, bool create)
{
    pugi::xml_node before;
    for (pugi::xml_node node = Child(rowNode, "c"); node; node = Next(node, "c")) {
        int r, c;
        ParseCellRef(node.attribute("r").value(), &r, &c);
        if (c == column)
            return node;
        if (c > column) {
            before = node;
            break;
        }
    }
    if (!create)
        return {};
    const std::string name = PrefixOf(rowNode) + "c";
    pugi::xml_node added =
        before ? rowNode.insert_child_before(name.c_str(), before) : rowNode.append_child(name.c_str());
    added.append_attribute("r").set_value(CellRef(row, column).c_str());
    const std::string style = defaultStyle(rowNode, column);
    if (!style.empty() && style != "0")
        added.append_attribute("s").set_value(style.c_str());

    // The row's span hint must cover the new cell; a stale one is dropped.
    if (pugi::xml_attribute spans = rowNode.attribute("spans")) {
        bool covered = false;
        std::string_view list = spans.value();
        while (!list.empty() && !covered) {
            const auto blank = list.find(' ');
            const std::string_view item = list.substr(0, blank);
            const auto colon = item.find(':');
            if (colon != std::string_view::npos) {
                const int from = std::atoi(std::string(item.substr(0, colon)).c_str());
                const int to = std::atoi(std::string(item.substr(colon + 1)).c_str());
                covered = column >= from && column <= to;
            }
            list = blank == std::string_view::npos ? std::string_view() : list.substr(blank + 1);
        }
        if (!covered)
            rowNode.remove_attribute(spans);
    }
    return added;
}

// A new cell looks as the empty cell looked before: the row's format when the
// row carries one, otherwise its column's.
std::string OoxmlWorkbook::Private::defaultStyle(pugi::xml_node rowNode, int column) const
{
    if (IsTrue(rowNode.attribute("customFormat")) && rowNode.attribute("s"))
        return rowNode.attribute("s").value();
    for (pugi::xml_node cols = Child(sheetRoot, "cols"); cols; cols = Next(cols, "cols"))
        for (pugi::xml_node col = Child(cols, "col"); col; col = Next(col, "col"))
            if (column >= col.attribute("min").as_int() && column <= col.attribute("max").as_int())
                return col.attribute("style").value();
    return {};
}

void OoxmlWorkbook::Private::replaceValue(pugi::xml_node cell, int row, int column, const QString& text)
{
    for (pugi::xml_node child = cell.first_child(); child;) {
        const pugi::xml_node next = child.next_sibling();
        if (Is(child, "f")) {
            formulaReplaced = true;
            // The first cell of a shared formula carries its text for the
            // others; they need a new first cell once this one is text.
            if (std::string_view(child.attribute("t").value()) == "shared" && child.attribute("ref"))
                orphanedShared.push_back({child.attribute("si").value(), child.text().get(), row, column});
        }
        if (Is(child, "f") || Is(child, "v") || Is(child, "is"))
            cell.remove_child(child);
        child = next;
    }
    cell.remove_attribute("t");
    cell.remove_attribute("vm"); // value and cell metadata belong to the old value
    cell.remove_attribute("cm");
    if (text.isEmpty())
        return;

    cell.append_attribute("t").set_value("inlineStr");
    const std::string prefix = PrefixOf(cell);
    const pugi::xml_node extension = Child(cell, "extLst");
    pugi::xml_node inlineString = extension ? cell.insert_child_before((prefix + "is").c_str(), extension)
                                            : cell.append_child((prefix + "is").c_str());
    pugi::xml_node t = inlineString.append_child((prefix + "t").c_str());
    const std::string value = CellTextXml(text);
    if (NeedsPreserve(value))
        t.append_attribute("xml:space").set_value("preserve");
    t.append_child(pugi::node_pcdata).set_value(value.c_str());
}

void OoxmlWorkbook::Private::repairFormulas()
{
    struct Member
    {
        pugi::xml_node formula;
        int row, column;
    };
    for (const SharedFormula& orphan : orphanedShared) {
        std::vector<Member> group;
        for (pugi::xml_node row = Child(sheetData, "row"); row; row = Next(row, "row"))
            for (pugi::xml_node cell = Child(row, "c"); cell; cell = Next(cell, "c")) {
                pugi::xml_node f = Child(cell, "f");
                if (f && std::string_view(f.attribute("t").value()) == "shared" &&
                    orphan.group == f.attribute("si").value()) {
                    int r, c;
                    if (ParseCellRef(cell.attribute("r").value(), &r, &c))
                        group.push_back({f, r, c});
                }
            }
        if (group.empty())
            continue;
        CellArea area;
        for (const Member& m : group)
            area.include(m.row, m.column);
        Member first = group.front();
        const QString shifted = ShiftFormulaReferences(QString::fromStdString(orphan.formula),
                                                       first.row - orphan.row, first.column - orphan.column);
        first.formula.text().set(shifted.toStdString().c_str());
        (first.formula.attribute("ref") ? first.formula.attribute("ref")
                                        : first.formula.append_attribute("ref"))
            .set_value(area.ref().c_str());
    }
    orphanedShared.clear();

    // An array formula cannot have a member overwritten; where one was, the
    // formula is dissolved and its cells keep their last values.
    for (pugi::xml_node row = Child(sheetData, "row"); row; row = Next(row, "row"))
        for (pugi::xml_node cell = Child(row, "c"); cell; cell = Next(cell, "c")) {
            pugi::xml_node f = Child(cell, "f");
            if (!f || std::string_view(f.attribute("t").value()) != "array")
                continue;
            const CellArea area = ParseCellArea(f.attribute("ref").value());
            const bool hit = std::any_of(written.begin(), written.end(), [&](const auto& rc) {
                return area.valid() && area.contains(rc.first, rc.second);
            });
            if (hit) {
                cell.remove_child(f);
                formulaReplaced = true;
            }
        }
}

void OoxmlWorkbook::Private::updateDimension()
{
    pugi::xml_node dimension = Child(sheetRoot, "dimension");
    if (!dimension || !writtenArea.valid())
        return;
    CellArea area = ParseCellArea(dimension.attribute("ref").value());
    if (!area.valid())
        area = writtenArea;
    area.include(writtenArea.top, writtenArea.left);
    area.include(writtenArea.bottom, writtenArea.right);
    (dimension.attribute("ref") ? dimension.attribute("ref") : dimension.append_attribute("ref"))
        .set_value(area.ref().c_str());
}

// The calculation chain lists formula cells; one that names a cell holding
// text makes the spreadsheet program repair the file, so it goes. It is
// rebuilt when the workbook is next saved.
bool OoxmlWorkbook::Private::dropCalcChain()
{
    ZipPart* relsEntry = find(workbookRelsPart);
    pugi::xml_document rels;
    if (!relsEntry || !Parse(rels, relsEntry->data))
        return fail(QStringLiteral("The workbook relationships cannot be read"));
    std::vector<std::string> dropped;
    for (const Relationship& rel : RelationshipsIn(rels))
        if (EndsWith(rel.type, "/calcChain")) {
            dropped.push_back(ResolveTarget(DirectoryOf(workbookPart), rel.target));
            rels.document_element().remove_child(rel.node);
        }
    if (dropped.empty())
        return true;
    relsEntry->data = Serialize(rels);

    ZipPart* typesEntry = find("[Content_Types].xml");
    pugi::xml_document types;
    if (!typesEntry || !Parse(types, typesEntry->data))
        return fail(QStringLiteral("The content types cannot be read"));
    for (const std::string& part : dropped) {
        if (ZipPart* e = find(part))
            e->removed = true;
        const QString partName = QLatin1Char('/') + QString::fromStdString(part);
        for (pugi::xml_node o = Child(types.document_element(), "Override"); o;) {
            const pugi::xml_node next = Next(o, "Override");
            if (QString::fromUtf8(o.attribute("PartName").value()).compare(partName, Qt::CaseInsensitive) ==
                0)
                types.document_element().remove_child(o);
            o = next;
        }
    }
    typesEntry->data = Serialize(types);
    return true;
}

// Formulas elsewhere may read the cells we wrote; their stored results are
// from the template, so the workbook asks to be recalculated when opened.
bool OoxmlWorkbook::Private::requestRecalculation()
{
    bool formulas = formulaReplaced;
    ZipPart* relsEntry = find(workbookRelsPart);
    pugi::xml_document rels;
    if (relsEntry && Parse(rels, relsEntry->data))
        for (const Relationship& rel : RelationshipsIn(rels)) {
            if (formulas)
                break;
            const ZipPart* part = EndsWith(rel.type, "/worksheet")
                                      ? find(ResolveTarget(DirectoryOf(workbookPart), rel.target))
                                      : nullptr;
            formulas = part && MentionsFormula(part->data);
        }
    if (!formulas)
        return true;

    ZipPart* workbookEntry = find(workbookPart);
    pugi::xml_document workbook;
    if (!workbookEntry || !Parse(workbook, workbookEntry->data))
        return fail(QStringLiteral("The workbook part cannot be read"));
    pugi::xml_node root = workbook.document_element();
    pugi::xml_node calc = Child(root, "calcPr");
    if (!calc) {
        // calcPr has its place in the workbook's sequence of elements.
        static const char* const earlier[] = {"fileVersion",        "fileSharing",        "workbookPr",
                                              "workbookProtection", "bookViews",          "sheets",
                                              "functionGroups",     "externalReferences", "definedNames"};
        pugi::xml_node anchor;
        for (pugi::xml_node child : root.children())
            for (const char* name : earlier)
                if (Is(child, name))
                    anchor = child;
        const std::string name = PrefixOf(root) + "calcPr";
        calc = anchor ? root.insert_child_after(name.c_str(), anchor) : root.prepend_child(name.c_str());
    }
    (calc.attribute("fullCalcOnLoad") ? calc.attribute("fullCalcOnLoad")
                                      : calc.append_attribute("fullCalcOnLoad"))
        .set_value("1");
    workbookEntry->data = Serialize(workbook);
    return true;
}

// A template package (.xltx) saved under a workbook's name would be refused
// by the spreadsheet program; what we write is a workbook.
bool OoxmlWorkbook::Private::fixTemplateContentType()
{
    ZipPart* typesEntry = find("[Content_Types].xml");
    if (!typesEntry || !typesEntry->data.contains(kTemplateMainType))
        return true;
    pugi::xml_document types;
    if (!Parse(types, typesEntry->data))
        return fail(QStringLiteral("The content types cannot be read"));
    for (pugi::xml_node o = Child(types.document_element(), "Override"); o; o = Next(o, "Override"))
        if (std::string_view(o.attribute("ContentType").value()) == kTemplateMainType)
            o.attribute("ContentType").set_value(kSheetMainType);
    typesEntry->data = Serialize(types);
    return true;
}

// --- public interface --------------------------------------------------------

OoxmlWorkbook::OoxmlWorkbook() : d(std::make_unique<Private>()) {}

OoxmlWorkbook::~OoxmlWorkbook() = default;

bool OoxmlWorkbook::load(const QByteArray& package)
{
    d = std::make_unique<Private>();
    if (ReadZipParts(package, &d->entries, &d->error) && d->findActiveSheet())
        return true;
    const QString reason = d->error;
    d = std::make_unique<Private>();
    d->error = reason;
    return false;
}

bool OoxmlWorkbook::loadFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        d = std::make_unique<Private>();
        d->error = QStringLiteral("%1: %2").arg(path, file.errorString());
        return false;
    }
    return load(file.readAll());
}

bool OoxmlWorkbook::setCellText(int row, int column, const QString& text)
{
    if (!d->sheetData || row < 1 || row > kSheetMaxRows || column < 1 || column > kSheetMaxColumns)
        return false;
    pugi::xml_node rowNode = d->findRow(row, !text.isEmpty());
    pugi::xml_node cell = rowNode ? d->findCell(rowNode, row, column, !text.isEmpty()) : pugi::xml_node();
    d->written.insert({row, column});
    if (!cell)
        return true; // blank stays blank
    d->replaceValue(cell, row, column, text);
    if (!text.isEmpty())
        d->writtenArea.include(row, column);
    d->sheetChanged = true;
    return true;
}

QByteArray OoxmlWorkbook::save()
{
    if (!d->sheetData) {
        d->error = QStringLiteral("No workbook loaded");
        return {};
    }
    if (d->sheetChanged) {
        d->repairFormulas();
        d->updateDimension();
        if (ZipPart* entry = d->find(d->sheetPart))
            entry->data = Serialize(d->sheet);
    }
    if ((d->formulaReplaced && !d->dropCalcChain()) || !d->requestRecalculation() ||
        !d->fixTemplateContentType())
        return {};
    return WriteZipParts(d->entries, &d->error);
}

QString OoxmlWorkbook::errorString() const
{
    return d->error;
}
