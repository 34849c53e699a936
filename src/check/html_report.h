#pragma once
// The design check as a page of its own (HTML with inline SVG, no file or script beside it): the
// limits, the table of sections with the rows that break a limit marked, the problems, and a
// small profile of every branch (ground, grade line, static line) with each problem marked.

#include <string>

#include "check/design_check.h"

namespace plovis {

// The page; title names the workbook.
std::string checkReportHtml(const DesignCheck& check, const std::string& title);

// The profile of branch b as an SVG element.
std::string branchProfileSvg(const DesignCheck& check, int branch);

// Text with &, <, > and quotes escaped for HTML.
std::string escapeHtml(const std::string& text);

}  // namespace plovis
