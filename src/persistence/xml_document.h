#pragma once
// A parsed tournament document, and the text of the parse report for a file that is not
// well-formed XML.
//
// The document owns its pugixml tree. White space between elements is dropped on parsing, so the
// section readers see only elements and their text; the text an element starts with is the
// element's own value (see textOf). Every walk over the tree is iterative: a file
// nested a million levels deep costs memory, never the stack.

#include <pugixml.hpp>

#include <array>
#include <functional>
#include <string>
#include <string_view>

namespace rh {

/// What the parser says about a text it could not read.
struct ParseError {
    int code = 0;        // the parser's error code
    std::string reason;  // the parser's reason text, ending with CR LF
    long line = 0;       // 1-based
    long linePos = 0;    // 1-based character position within the line
    long filePos = 0;    // 1-based character position within the file
    std::string srcText; // the faulty line (at most kMaxSourceText characters)
    std::string url;     // empty: the document was parsed from text
};

inline constexpr std::size_t kMaxSourceText = 200;

/// The parse report's text, lines joined by CR LF.
std::string parseReportText(const ParseError& error);

class XmlDocument {
public:
    /// Parses UTF-8 XML text. On failure returns false and fills `error` (when given).
    bool parse(std::string_view utf8, ParseError* error = nullptr);
    /// Called before a parse in place for each section's first start tag, in the order of the
    /// text: the section (its index in sectionNames()) and the place of its name's first
    /// character. Answers where the search for the other sections goes on: `at` when the caller
    /// took nothing, or the end of the section when it read the section whole and found only the
    /// section's own elements in it (no other section's tag can then begin inside).
    using TagFound =
        std::function<std::size_t(std::string_view text, std::size_t section, std::size_t at)>;

    /// Parses UTF-8 XML text that the document keeps and parses where it lies, without a copy.
    /// `tagFound` (when given) sees the section tags in the text first. On failure returns false
    /// with no report (the text is then no longer as it was read).
    bool parseInPlace(std::string utf8, const TagFound& tagFound = {});

    static constexpr std::array<const char*, 8> sectionNames() { return kSections; }
    /// Whether the section is the element whose start tag the parse in place was shown (false
    /// after a parse with a copy, or when the tree had to be walked).
    bool sectionAtTag(std::string_view name) const;

    const pugi::xml_document& doc() const { return m_doc; }
    /// The first element of that name anywhere in the document (document order), or a null node.
    pugi::xml_node section(std::string_view name) const;

private:
    static constexpr std::array<const char*, 8> kSections = {
        "TournamentInfo", "FeesPayout", "PlayerKeys", "RosterRounds",
        "Scores",         "Bumps",      "Lones",      "EntryFees"};
    void findSections();

    std::string m_text; // the text a parse in place reads from; the nodes point into it
    pugi::xml_document m_doc;
    std::array<pugi::xml_node, kSections.size()> m_sections{};
    std::array<bool, kSections.size()> m_atTag{};
};

// Small helpers of the section readers, exposed for the tests.
namespace xml {
/// Whether the node has any child node (element or text).
bool hasChildren(pugi::xml_node node);
/// The first child element with that name, or a null node.
pugi::xml_node child(pugi::xml_node node, const char* name);
/// The node's text: every text and CDATA descendant joined in document order.
std::string textOf(pugi::xml_node node);
/// Calls `use` with the element's text as a view: the element's own value when it holds nothing
/// else (no copy), else the gathered text.
template <typename Use> auto withTextOf(pugi::xml_node node, Use&& use) {
    if (!node.first_child())
        return use(std::string_view(node.value()));
    const std::string text = textOf(node);
    return use(std::string_view(text));
}
/// The first element of that name in the subtree (document order, the node itself excluded).
pugi::xml_node findFirst(pugi::xml_node root, std::string_view name);
} // namespace xml

} // namespace rh
