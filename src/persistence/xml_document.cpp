#include "persistence/xml_document.h"

#include "persistence/code_page.h"

#include <cstring>
#include <functional>

namespace rh {

namespace xml {

bool hasChildren(pugi::xml_node node) {
    return node && node.first_child();
}

pugi::xml_node child(pugi::xml_node node, const char* name) {
    // Documents are parsed without declarations and processing instructions, so only elements
    // carry names and the library's own search finds the first child element of the name.
    return node.child(name);
}

namespace {
// The next node after `cur` in document order within the subtree of `root`, or a null node.
pugi::xml_node nextInSubtree(pugi::xml_node cur, pugi::xml_node root, bool descend) {
    if (descend && cur.first_child())
        return cur.first_child();
    while (cur != root && !cur.next_sibling())
        cur = cur.parent();
    if (cur == root)
        return {};
    return cur.next_sibling();
}

bool isText(pugi::xml_node n) {
    return n.type() == pugi::node_pcdata || n.type() == pugi::node_cdata;
}
} // namespace

std::string textOf(pugi::xml_node node) {
    if (!node)
        return {};
    pugi::xml_node first = node.first_child();
    if (!first)
        return {};
    if (isText(first) && !first.next_sibling())
        return first.value();
    std::string out;
    for (pugi::xml_node cur = first; cur; cur = nextInSubtree(cur, node, true))
        if (isText(cur))
            out += cur.value();
    return out;
}

pugi::xml_node findFirst(pugi::xml_node root, std::string_view name) {
    for (pugi::xml_node cur = root.first_child(); cur; cur = nextInSubtree(cur, root, true))
        if (cur.type() == pugi::node_element && name == cur.name())
            return cur;
    return {};
}

} // namespace xml

bool XmlDocument::parse(std::string_view utf8, ParseError* error) {
    m_sections.fill(pugi::xml_node());
    pugi::xml_parse_result result =
        m_doc.load_buffer(utf8.data(), utf8.size(), pugi::parse_default, pugi::encoding_utf8);
    m_text.clear(); // the document holds its own copy
    if (!result) {
        if (error) {
            ParseError& e = *error;
            e = ParseError();
            e.code = static_cast<int>(result.status);
            e.reason = std::string(result.description()) + "\r\n";
            std::size_t offset = result.offset < 0 ? 0 : static_cast<std::size_t>(result.offset);
            if (offset > utf8.size())
                offset = utf8.size();
            // Lines and positions count characters, as the file holds one byte per character.
            long line = 1, col = 1, chars = 1;
            std::size_t lineStart = 0;
            for (std::size_t pos = 0; pos < offset;) {
                char c = utf8[pos];
                if (c == '\n' || (c == '\r' && (pos + 1 >= utf8.size() || utf8[pos + 1] != '\n'))) {
                    ++line;
                    col = 1;
                    ++chars;
                    ++pos;
                    lineStart = pos;
                    continue;
                }
                nextCodePoint(utf8, pos);
                ++col;
                ++chars;
            }
            e.line = line;
            e.linePos = col;
            e.filePos = chars;
            std::size_t end = lineStart;
            std::size_t count = 0;
            while (end < utf8.size() && utf8[end] != '\r' && utf8[end] != '\n' &&
                   count < kMaxSourceText) {
                nextCodePoint(utf8, end);
                ++count;
            }
            e.srcText = std::string(utf8.substr(lineStart, end - lineStart));
            // A binary file's line may hold control characters a message box cannot show.
            for (char& c : e.srcText)
                if (static_cast<unsigned char>(c) < 0x20 && c != '\t')
                    c = '?';
        }
        m_doc.reset();
        return false;
    }
    findSections();
    return true;
}

namespace {

bool endsName(char c) {
    return c == '>' || c == '/' || c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

// Where the first start tag of `name` may begin in the text: the first "<name" that the name
// ends, or npos. It may yet lie in a comment or CDATA section.
std::size_t firstTagAt(std::string_view text, std::string_view name) {
    const std::string tag = "<" + std::string(name);
    for (std::size_t from = 0; from < text.size();) {
        const void* hit = ::memmem(text.data() + from, text.size() - from, tag.data(), tag.size());
        if (!hit)
            return std::string_view::npos;
        const auto at = static_cast<std::size_t>(static_cast<const char*>(hit) - text.data()) + 1;
        const std::size_t end = at + name.size();
        if (end < text.size() && endsName(text[end]))
            return at;
        from = at;
    }
    return std::string_view::npos;
}

// The element whose name the parser left at `at`, found by going down the tree: in document
// order, each level's elements start at rising places in the text.
pugi::xml_node elementNamedAt(const pugi::xml_document& doc, const char* at) {
    pugi::xml_node node = doc;
    while (true) {
        pugi::xml_node holder;
        for (pugi::xml_node c = node.first_child(); c; c = c.next_sibling()) {
            if (c.type() != pugi::node_element)
                continue;
            const char* name = c.name();
            if (name == at)
                return c;
            if (std::less<const char*>()(at, name))
                break;
            holder = c;
        }
        if (!holder)
            return {};
        node = holder;
    }
}

} // namespace

bool XmlDocument::parseInPlace(std::string utf8) {
    m_sections.fill(pugi::xml_node());
    m_doc.reset();
    m_text = std::move(utf8);
    // Every element starts with "<name" in the text, and the tree keeps its name where it lies:
    // so the first such tag that is an element in the tree is the first element of the name.
    std::array<std::size_t, kSections.size()> tagAt{};
    for (std::size_t i = 0; i < kSections.size(); ++i)
        tagAt[i] = firstTagAt(m_text, kSections[i]);
    if (!m_doc.load_buffer_inplace(m_text.data(), m_text.size(), pugi::parse_default,
                                   pugi::encoding_utf8)) {
        m_doc.reset();
        m_text.clear();
        return false;
    }
    for (std::size_t i = 0; i < kSections.size(); ++i) {
        if (tagAt[i] == std::string::npos)
            continue; // no element of the name
        pugi::xml_node node = elementNamedAt(m_doc, m_text.data() + tagAt[i]);
        if (!node || std::strcmp(node.name(), kSections[i]) != 0) {
            // The tag lies in a comment or CDATA section: walk the tree instead.
            m_sections.fill(pugi::xml_node());
            findSections();
            break;
        }
        m_sections[i] = node;
    }
    return true;
}

void XmlDocument::findSections() {
    // One walk finds the first element of each section name, in document order, and stops
    // when all are found. The library's own walk costs one call per node.
    struct SectionFinder : pugi::xml_tree_walker {
        std::array<pugi::xml_node, 7>& sections;
        std::size_t found = 0;
        explicit SectionFinder(std::array<pugi::xml_node, 7>& s) : sections(s) {}
        bool for_each(pugi::xml_node& node) override {
            const char* name = node.name();
            if (!*name || node.type() != pugi::node_element)
                return true;
            for (std::size_t i = 0; i < kSections.size(); ++i)
                if (!sections[i] && name[0] == kSections[i][0] &&
                    std::strcmp(name, kSections[i]) == 0) {
                    sections[i] = node;
                    ++found;
                    break;
                }
            return found < kSections.size();
        }
    } finder(m_sections);
    m_doc.traverse(finder);
}

pugi::xml_node XmlDocument::section(std::string_view name) const {
    for (std::size_t i = 0; i < kSections.size(); ++i)
        if (name == kSections[i])
            return m_sections[i];
    return xml::findFirst(m_doc, name);
}

std::string parseReportText(const ParseError& e) {
    std::string t = "Your XML Document failed to load ";
    t += "due to the following error.";
    t += "\r\nError #: " + std::to_string(e.code) + ": " + e.reason;
    t += "Line #: " + std::to_string(e.line);
    t += "\r\nLine Position: " + std::to_string(e.linePos);
    t += "\r\nPosition In File: " + std::to_string(e.filePos);
    t += "\r\nSource Text: " + e.srcText;
    t += "\r\nDocument URL: " + e.url;
    return t;
}

void showParseReport(IPrompt& prompt, const ParseError& error) {
    prompt.show(Message{kAppTitle, parseReportText(error), MsgIcon::Exclamation, MsgButtons::Ok});
}

} // namespace rh
