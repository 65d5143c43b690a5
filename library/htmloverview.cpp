#include "library/htmloverview.h"

#include "library/filesave.h"
#include "library/namekey.h"
#include "library/oidfile.h"

namespace {

constexpr const char* LineEnd = "\r\n";

// Agent and entry name of a key, and its group up to the first "#", then up to the first ":",
// so that numbered or qualified groups ("Disk#2", "Disk:C") share one heading.
NameParts OverviewParts(const std::string& key) {
    NameParts parts = SplitNameKey(key);
    parts.group = parts.group.substr(0, parts.group.find('#'));
    parts.group = parts.group.substr(0, parts.group.find(':'));
    return parts;
}

// The heading of an agent and the start of its list of groups. The list stays open: the page
// closes it once, after the last group of all agents.
void AppendAgentHeader(std::string& page, const std::string& agent, int count) {
    page += "<h1>" + agent + "</h1>\r\n\r\n<p><a href=\"/perchmate\">" + agent +
            "</a> supports monitoring of the following " + std::to_string(count) +
            " performance counters. "
            "Please note that the actual number of available sensors depends on the system you install "
            "Perchmate on and is usually much higher. "
            "Entries marked with \"(Table)\" will provide the measured value for several items (e.g. for "
            "each CPU, disk or network card).</p>"
            "<p>Simply install " +
            agent +
            " on the server or pc that you want to monitor and <A href=\"/zelto\">Zelto Network Monitor</A> "
            "will immediately be able to access the counters.</p><ul>";
}

}  // namespace

std::string EscapeHtml(const std::string& text) {
    std::string escaped;
    escaped.reserve(text.size());
    for (const char c : text) {
        switch (c) {
            case '&':
                escaped += "&amp;";
                break;
            case '<':
                escaped += "&lt;";
                break;
            case '>':
                escaped += "&gt;";
                break;
            case '"':
                escaped += "&quot;";
                break;
            default:
                escaped += c;
        }
    }
    return escaped;
}

std::string HtmlOverview(const toidfile& library) {
    std::string page = std::string("<html><body>") + LineEnd;

    std::string previousAgent, previousGroup;
    for (int i = 0; i < library.Count(); ++i) {
        const NameParts parts = OverviewParts(library.Entries(i)->name);
        const std::string agent = EscapeHtml(parts.agent), group = EscapeHtml(parts.group);
        if (agent != previousAgent) AppendAgentHeader(page, agent, library.Count());
        // Not reset by a new agent: a group that goes on under the next agent gets no second item.
        if (group != previousGroup)
            page += "<li>Group: <a href=\"#" + group + "\">\"" + group + "\"</a></li>";
        previousAgent = agent;
        previousGroup = group;
    }
    page += std::string("</ul>") + LineEnd + "<TABLE class=orderForm>" + LineEnd;

    previousGroup.clear();
    for (int i = 0; i < library.Count(); ++i) {
        const Toiddata& entry = *library.Entries(i);
        const NameParts parts = OverviewParts(entry.name);
        const std::string group = EscapeHtml(parts.group);
        if (group != previousGroup)
            page +=
                "<tr><td colspan=1><a name=\"" + group + "\"></a><h2>Group: \"" + group + "\"</h2></td></tr>";
        previousGroup = group;
        page += "<TR class=bg0><td style=\"font-weight:bold\">" + EscapeHtml(parts.name) +
                (entry.kind == TMIBDataKind::mkTable ? " (Table)" : "") + "</td></tr><TR class=bg1><td>" +
                EscapeHtml(entry.description) + "</td></tr>" + LineEnd;
    }
    page += std::string("</table>\r\n\r\n</body></html>") + LineEnd;
    return page;
}

void WriteHtmlOverview(const toidfile& library, const std::string& fileName) {
    SaveFileContent(fileName, HtmlOverview(library));
}
