#include "reports/textview/printtext.h"

#include "foundation/codepage.h"
#include "foundation/telmvar.h"
#include "foundation/codepage.h"
#include "foundation/fileutil.h"
#include "foundation/textutil.h"
#include "foundation/utilstr.h"
#include "reports/engine/reportservices.h"
#include "reports/textview/fontstyle.h"
#include "reports/textview/printsettings.h"

#include <fstream>
#include <sstream>

namespace {

constexpr char FormFeed = '\f';

bool HoldsText(const std::vector<std::string>& Lines)
{
    for (const std::string& l : Lines)
        if (l.find_first_not_of(" \t") != std::string::npos)
            return true;
    return false;
}

} // namespace

std::vector<std::vector<std::string>> SplitTextPages(const std::string& Text)
{
    std::vector<std::vector<std::string>> pages;
    std::vector<std::string> page;
    std::istringstream in(Text);
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (!line.empty() && line.front() == FormFeed) {
            pages.push_back(std::move(page));
            page.clear();
            continue;
        }
        page.push_back(line);
    }
    if (HoldsText(page))
        pages.push_back(std::move(page));
    return pages;
}

