#pragma once
// Reads written PDFs back with poppler's command-line tools: the text of pages (pdftotext) and
// the number of pages (pdfinfo).

#include <string>

namespace rh::test {

/// The text of pages first..last (1-based; 0, 0 for the whole file) in the order it was drawn,
/// "" when it cannot be read.
std::string pdfText(const std::string& path, int first = 0, int last = 0);
/// The number of pages, -1 when the file cannot be read as a PDF.
int pdfPageCount(const std::string& path);

} // namespace rh::test
