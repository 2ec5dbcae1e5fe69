#include "publishing/wall_page.h"

#include "publishing/html.h"

#include <algorithm>
#include <cctype>
#include <cstdio>

namespace rh {

namespace {

// Colours: every text has at least 7:1 contrast against the background it stands on, in both
// themes (the chart's line colours are not text and need only stand apart from each other).
constexpr const char* kStyle = R"CSS(
*{box-sizing:border-box}
[hidden]{display:none!important}
html,body{margin:0;height:100%}
.theme-dark{--bg:#0b0f17;--alt:#151c2b;--bar:#1c2536;--fg:#f4f6fa;--muted:#c5ccd8;
 --accent:#ffd166;--grid:#3a4559;--c1:#ffd166;--c2:#6fd3ff;--c3:#ff9bb5;--c4:#a6e88f;--c5:#d2b6ff}
.theme-light{--bg:#ffffff;--alt:#eef1f6;--bar:#dfe5ee;--fg:#0b0f17;--muted:#2f3845;
 --accent:#5e3b00;--grid:#b9c2cf;--c1:#8a5a00;--c2:#005f9e;--c3:#a8174f;--c4:#26701a;--c5:#5b34a8}
body{display:flex;flex-direction:column;height:100vh;overflow:hidden;background:var(--bg);
 color:var(--fg);font-family:"DejaVu Sans","Liberation Sans",Arial,Helvetica,sans-serif}
header{flex:none;display:flex;align-items:baseline;gap:2.5vw;padding:1.2vh 2vw;
 background:var(--bar);font-size:3.2vh;white-space:nowrap}
h1{flex:1;min-width:0;margin:0;font-size:4.4vh;overflow:hidden;text-overflow:ellipsis}
h2{margin:0 0 .6vh 0;font-size:2.8vh;color:var(--muted);font-weight:normal}
.label{color:var(--muted);font-size:2.6vh;margin-right:.5vw}
#round{font-weight:bold;color:var(--accent)}
main{flex:1;min-height:0;display:flex;gap:2vw;padding:1.2vh 2vw 1vh 2vw}
#standings{flex:1 1 63%;min-width:0;min-height:0;display:flex;flex-direction:column}
#rows{flex:1;min-height:0;overflow:hidden}
.row{display:grid;grid-template-columns:11vh minmax(0,1fr) 12vh 12vh;align-items:baseline;
 font-size:3.6vh;line-height:1.3;padding:0 .4em;background:var(--bg)}
.row>span{white-space:nowrap;overflow:hidden;text-overflow:ellipsis}
#rows .row:nth-child(even){background:var(--alt)}
.row.head{font-size:3vh;color:var(--muted);border-bottom:.3vh solid var(--grid)}
.place,.total,.lones{text-align:right;font-variant-numeric:tabular-nums}
.place{padding-right:.6em}
.total{font-weight:bold}
.top .place,.top .name{color:var(--accent);font-weight:bold}
.alias{color:var(--muted);font-size:.85em;margin-left:.6em}
#pager{flex:none;height:4vh;display:flex;align-items:flex-end;justify-content:space-between;
 font-size:2.6vh;color:var(--muted)}
#paused{color:var(--accent);font-weight:bold}
aside{flex:0 0 34%;min-width:0;min-height:0;display:flex;flex-direction:column;gap:1.6vh}
aside>section{background:var(--alt);padding:1vh 1vw;min-height:0}
#playing{flex:0 0 38%;display:flex;flex-direction:column}
#tables{flex:1 1 0;list-style:none;margin:0;padding:0;overflow:hidden;min-height:0}
#tables li{display:grid;grid-template-columns:2.4em minmax(0,1fr);font-size:2.5vh;
 line-height:1.3;padding:.3vh 0;border-bottom:1px solid var(--grid)}
.side{white-space:nowrap;overflow:hidden;text-overflow:ellipsis}
.tno{grid-row:span 2;color:var(--accent);font-weight:bold}
.vs{color:var(--muted)}
#more,#none{flex:none;font-size:2.4vh;line-height:1.3;color:var(--muted)}
#chart{flex:1 1 0;display:flex;flex-direction:column}
#chart svg{flex:1 1 0;min-height:0;width:100%}
#chart text{fill:var(--muted);font-size:13px}
.axis{stroke:var(--grid);stroke-width:1}
.line{fill:none;stroke-width:3;stroke-linejoin:round}
.legend{list-style:none;margin:.4vh 0 0 0;padding:0;font-size:2.4vh;columns:2}
.legend li{white-space:nowrap;overflow:hidden;text-overflow:ellipsis}
.sw{display:inline-block;width:1.6em;height:.35em;vertical-align:middle;margin-right:.4em}
.l1{stroke:var(--c1);fill:var(--c1);background:var(--c1)}
.l2{stroke:var(--c2);fill:var(--c2);background:var(--c2)}
.l3{stroke:var(--c3);fill:var(--c3);background:var(--c3)}
.l4{stroke:var(--c4);fill:var(--c4);background:var(--c4)}
.l5{stroke:var(--c5);fill:var(--c5);background:var(--c5)}
polyline.line{fill:none}
#share{flex:none;display:flex;align-items:center;gap:1vw;font-size:2.4vh}
#share .qr{flex:none;width:16vh;height:16vh;background:#ffffff;padding:.8vh}
#share .qr svg{width:100%;height:100%;display:block}
.addr{font-weight:bold;word-break:break-all}
@media (max-aspect-ratio:1/1){
 body{height:auto;min-height:100vh;overflow:auto}
 header{flex-wrap:wrap;white-space:normal;font-size:4.2vw;gap:.5vh 4vw}
 h1{flex-basis:100%;font-size:6vw;white-space:normal}
 .label{font-size:3.6vw}
 main{flex-direction:column;padding:1vh 2vw}
 #rows{overflow:visible}
 .row{font-size:4.6vw;grid-template-columns:12vw minmax(0,1fr) 14vw 14vw}
 .row.head{font-size:3.6vw}
 h2{font-size:4vw}
 #tables li{font-size:4vw}
 .legend{font-size:3.8vw}
 #more,#none{font-size:3.6vw}
 #pager{display:none}
 aside{flex:none}
 #playing,#tables,#chart{flex:none}
 #chart svg{height:45vw;flex:none}
 #share{display:none}
}
)CSS";

// The page's behaviour. The state kept across reloads lives in the fragment: p (page), e (time
// the page has been shown, ms), run (1 paging, 0 paused), theme, y (scroll position in a tall
// window).
constexpr const char* kScript = R"JS(
(function () {
  'use strict';
  var body = document.body;
  var pageMs = +body.getAttribute('data-page-ms');
  var refreshMs = +body.getAttribute('data-refresh-ms');
  var st = { p: 0, e: 0, run: 1, theme: body.getAttribute('data-theme'), y: 0 };
  location.hash.replace(/^#/, '').split('&').forEach(function (kv) {
    var m = kv.split('=');
    if (m.length !== 2) return;
    if (m[0] === 'theme' && (m[1] === 'dark' || m[1] === 'light')) st.theme = m[1];
    else if (m[0] in st && m[0] !== 'theme' && /^[0-9]+$/.test(m[1])) st[m[0]] = +m[1];
  });
  st.run = st.run ? 1 : 0;
  st.e = Math.min(st.e, pageMs);

  var rows = [].slice.call(document.querySelectorAll('#rows .row'));
  var box = document.getElementById('rows');
  var tables = [].slice.call(document.querySelectorAll('#tables li'));
  var tableBox = document.getElementById('tables');
  var more = document.getElementById('more');
  var pageNo = document.getElementById('page-no');
  var paused = document.getElementById('paused');
  var per = rows.length || 1, pages = 1, tablePer = tables.length || 1, tablePages = 1;
  var turns = 1; // st.p counts turns: the standings and the tables turn their pages together

  function tall() { return window.innerWidth <= window.innerHeight; }
  function fragment() {
    return 'p=' + st.p + '&e=' + Math.round(st.e) + '&run=' + st.run + '&theme=' + st.theme +
           '&y=' + Math.round(tall() ? window.scrollY : 0);
  }
  function remember() { location.replace('#' + fragment()); }
  function applyTheme() {
    body.className = 'theme-' + st.theme;
    body.setAttribute('data-theme', st.theme);
  }
  // How many items of a list fit in its box, all of them shown while measuring.
  function fitting(items, container) {
    items.forEach(function (r) { r.hidden = false; });
    if (!items.length) return 1;
    var h = items[0].getBoundingClientRect().height;
    var room = container.getBoundingClientRect().height;
    return Math.max(1, Math.floor((room + 0.01) / h));
  }
  function showPage(items, page, size) {
    items.forEach(function (r, i) { r.hidden = i < page * size || i >= (page + 1) * size; });
  }
  function show() {
    var page = st.p % pages;
    showPage(rows, page, per);
    showPage(tables, st.p % tablePages, tablePer);
    pageNo.textContent = pages > 1 ? 'Page ' + (page + 1) + ' of ' + pages : '';
    paused.hidden = st.run === 1 || turns < 2;
    if (more) {
      var left = tables.length - Math.min(tables.length, tablePer);
      more.textContent = left > 0 ? '+ ' + left + ' more' : '';
    }
  }
  function layout() {
    if (tall()) {
      per = rows.length || 1;
      tablePer = tables.length || 1;
    } else {
      if (more) more.textContent = '+ 0 more'; // the line takes its room while measuring
      per = fitting(rows, box);
      tablePer = fitting(tables, tableBox);
    }
    pages = Math.max(1, Math.ceil(rows.length / per));
    tablePages = Math.max(1, Math.ceil(tables.length / tablePer));
    turns = Math.max(pages, tablePages);
    if (st.p >= turns) { st.p = 0; st.e = 0; }
    show();
  }
  function turn(by) {
    st.p = (st.p + by + turns) % turns;
    st.e = 0;
    show();
  }

  // The round clock counts on while it runs.
  var clock = document.getElementById('round-clock');
  var clockBase = -1, clockAt = Date.now();
  if (clock && clock.getAttribute('data-running') === '1') {
    var parts = clock.textContent.split(':');
    if (parts.length === 3) clockBase = (+parts[0]) * 3600 + (+parts[1]) * 60 + (+parts[2]);
    var at = +clock.getAttribute('data-at');
    if (at > 0 && at <= clockAt) clockAt = at;
  }
  function two(n) { return (n < 10 ? '0' : '') + n; }
  function tickClock() {
    if (clockBase < 0 || isNaN(clockBase)) return;
    var s = clockBase + Math.floor((Date.now() - clockAt) / 1000);
    clock.textContent = two(Math.floor(s / 3600)) + ':' + two(Math.floor(s / 60) % 60) + ':' +
                        two(s % 60);
  }

  applyTheme();
  layout();
  if (tall() && st.y) window.scrollTo(0, st.y);
  tickClock();
  window.addEventListener('resize', layout);

  var last = Date.now();
  setInterval(function () {
    var now = Date.now();
    if (st.run && turns > 1) st.e += now - last;
    last = now;
    if (st.e >= pageMs) turn(1);
    tickClock();
  }, 250);

  document.addEventListener('keydown', function (ev) {
    if (ev.ctrlKey || ev.altKey || ev.metaKey) return;
    if (ev.key === ' ' || ev.key === 'Spacebar') {
      st.run = st.run ? 0 : 1;
      show();
    } else if (ev.key === 't' || ev.key === 'T') {
      st.theme = st.theme === 'dark' ? 'light' : 'dark';
      applyTheme();
    } else if (ev.key === 'ArrowRight' || ev.key === 'PageDown') {
      turn(1);
    } else if (ev.key === 'ArrowLeft' || ev.key === 'PageUp') {
      turn(-1);
    } else {
      return;
    }
    ev.preventDefault();
    remember();
  });

  // Reload for fresh standings. From the server, only once it answers, so a phone that lost the
  // network keeps showing the last standings instead of an error page.
  function reload() {
    remember();
    location.reload();
  }
  setInterval(function () {
    if (location.protocol === 'http:' || location.protocol === 'https:') {
      fetch(location.pathname, { method: 'HEAD', cache: 'no-store' })
        .then(function (r) { if (r.ok) reload(); })
        .catch(function () {});
    } else {
      reload();
    }
  }, refreshMs);
})();
)JS";

std::string num(double v) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.1f", v);
    return buf;
}

std::string joinNames(const std::vector<std::string>& names) {
    std::string out;
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (i > 0)
            out += " &amp; ";
        out += htmlName(names[i]);
    }
    return out;
}

/// A round number step that divides the axis into at most five parts.
int niceStep(int span) {
    int step = 1;
    for (int magnitude = 1;; magnitude *= 10) {
        for (int m : {1, 2, 5}) {
            step = m * magnitude;
            if (span <= step * 5)
                return step;
        }
    }
}

bool acceptableSvg(const std::string& svg) {
    std::string lower(svg);
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    auto has = [&](const char* what) { return lower.find(what) != std::string::npos; };
    return lower.rfind("<svg", 0) == 0 && lower.size() >= 6 &&
           lower.compare(lower.size() - 6, 6, "</svg>") == 0 && !has("script") && !has(" on") &&
           !has("foreignobject") && !has("href") && !has("<!");
}

void appendHeader(std::string& page, const WallInput& in) {
    page += "<header>\n<h1 id=\"title\">" + htmlEscape(in.title) + "</h1>\n";
    page += "<div id=\"round\">";
    if (in.finished)
        page += "Final standings";
    else
        page +=
            "Round " + std::to_string(in.currentRound) + " of " + std::to_string(in.totalRounds);
    page += "</div>\n";
    if (!in.roundClock.empty() && !in.finished) {
        page += "<div id=\"clock\"><span class=\"label\">Round time</span><span id=\"round-clock\" "
                "data-running=\"";
        page += in.roundClockRunning ? "1" : "0";
        page += "\" data-at=\"" + std::to_string(in.clockTakenAtMs) + "\">" +
                htmlEscape(in.roundClock) + "</span></div>\n";
    }
    if (!in.finishEstimate.empty() && !in.finished)
        page += "<div id=\"finish\"><span class=\"label\">Est. finish</span><span>" +
                htmlEscape(in.finishEstimate) + "</span></div>\n";
    page += "</header>\n";
}

void appendStandings(std::string& page, const WallInput& in) {
    page += "<section id=\"standings\">\n";
    page += "<div class=\"row head\"><span class=\"place\">Place</span><span class=\"name\">";
    page += in.teams ? "Team" : "Player";
    page += "</span><span class=\"total\">Total</span><span class=\"lones\">Lones</span></div>\n";
    page += "<div id=\"rows\">\n";
    for (const WallRow& r : in.rows) {
        const bool top = r.place >= 1 && r.place <= 3 && r.total > 0;
        page += top ? "<div class=\"row top\">" : "<div class=\"row\">";
        page += "<span class=\"place\">" + std::to_string(r.place) + "</span>";
        page += "<span class=\"name\">" + htmlName(r.name);
        if (!r.alias.empty())
            page += "<span class=\"alias\">" + htmlName(r.alias) + "</span>";
        page += "</span><span class=\"total\">" + std::to_string(r.total) +
                "</span><span class=\"lones\">" + std::to_string(r.lones) + "</span></div>\n";
    }
    page += "</div>\n";
    page += "<div id=\"pager\"><span id=\"page-no\"></span><span id=\"paused\" "
            "hidden>Paused</span></div>\n";
    page += "</section>\n";
}

void appendPlaying(std::string& page, const WallInput& in) {
    page += "<section id=\"playing\">\n<h2>";
    page += in.finished ? "All rounds played" : "Still playing";
    page += "</h2>\n";
    if (in.playing.empty()) {
        if (!in.finished)
            page += "<div id=\"none\">All scores are in</div>\n";
    } else {
        page += "<ul id=\"tables\">\n";
        for (const WallTable& t : in.playing)
            page += "<li><span class=\"tno\">" + std::to_string(t.table) +
                    "</span><span class=\"side\">" + joinNames(t.sideA) +
                    "</span><span class=\"side\"><span class=\"vs\">vs</span> " +
                    joinNames(t.sideB) + "</span></li>\n";
        page += "</ul>\n<div id=\"more\"></div>\n";
    }
    page += "</section>\n";
}

void appendChart(std::string& page, const WallInput& in) {
    const std::size_t count =
        std::min(in.leaders.size(), static_cast<std::size_t>(kWallChartLeaders));
    if (count == 0)
        return;
    int rounds = std::max(in.totalRounds, 1);
    int low = 0, high = 0;
    for (std::size_t i = 0; i < count; ++i) {
        rounds = std::max(rounds, static_cast<int>(in.leaders[i].totals.size()));
        for (int v : in.leaders[i].totals) {
            low = std::min(low, v);
            high = std::max(high, v);
        }
    }
    const int step = niceStep(std::max(high - low, 10));
    const int bottom = low < 0 ? (low - step + 1) / step * step : 0;
    const int top =
        (high + step - 1) / step * step > bottom ? (high + step - 1) / step * step : bottom + step;
    constexpr double kW = 320, kH = 160, kL = 32, kR = 8, kT = 9, kB = 20;
    auto x = [&](int round) { return kL + (kW - kL - kR) * round / rounds; };
    auto y = [&](int v) { return kT + (kH - kT - kB) * (top - v) / double(top - bottom); };

    page += "<section id=\"chart\">\n<h2>Leaders round by round</h2>\n";
    page += "<svg viewBox=\"0 0 320 160\" role=\"img\" aria-label=\"Running totals of the "
            "leaders\">\n";
    for (int v = bottom; v <= top; v += step) {
        page += "<line class=\"axis\" x1=\"" + num(kL) + "\" x2=\"" + num(kW - kR) + "\" y1=\"" +
                num(y(v)) + "\" y2=\"" + num(y(v)) + "\"/>";
        page += "<text x=\"" + num(kL - 4) + "\" y=\"" + num(y(v) + 4) + "\" text-anchor=\"end\">" +
                std::to_string(v) + "</text>\n";
    }
    const int every = (rounds + 11) / 12;
    for (int r = 1; r <= rounds; ++r) {
        if (r % every != 0 && r != 1)
            continue;
        page += "<text x=\"" + num(x(r)) + "\" y=\"" + num(kH - 4) + "\" text-anchor=\"middle\">" +
                std::to_string(r) + "</text>";
    }
    page += "\n";
    for (std::size_t i = count; i-- > 0;) { // the leader drawn last, on top
        const WallLeaderLine& line = in.leaders[i];
        const std::string cls = "l" + std::to_string(i + 1);
        std::string points = num(x(0)) + "," + num(y(0));
        for (std::size_t r = 0; r < line.totals.size(); ++r)
            points += " " + num(x(static_cast<int>(r) + 1)) + "," + num(y(line.totals[r]));
        page += "<polyline class=\"line " + cls + "\" points=\"" + points + "\"/>";
        const int lastRound = static_cast<int>(line.totals.size());
        const int lastValue = line.totals.empty() ? 0 : line.totals.back();
        page += "<circle class=\"" + cls + "\" r=\"4\" cx=\"" + num(x(lastRound)) + "\" cy=\"" +
                num(y(lastValue)) + "\"/>\n";
    }
    page += "</svg>\n<ul class=\"legend\">\n";
    for (std::size_t i = 0; i < count; ++i) {
        const WallLeaderLine& line = in.leaders[i];
        page += "<li><span class=\"sw l" + std::to_string(i + 1) + "\"></span>" +
                htmlName(line.name) + "</li>\n";
    }
    page += "</ul>\n</section>\n";
}

void appendShare(std::string& page, const WallInput& in) {
    if (in.shareAddress.empty())
        return;
    page += "<section id=\"share\">\n";
    if (!in.qrSvg.empty() && acceptableSvg(in.qrSvg))
        page += "<div class=\"qr\">" + in.qrSvg + "</div>\n";
    page += "<div>Standings on your phone:<br><span class=\"addr\">" + htmlEscape(in.shareAddress) +
            "</span></div>\n</section>\n";
}

} // namespace

std::string buildWallPage(const WallInput& in) {
    std::string page;
    page.reserve(12000 + in.rows.size() * 160 + in.playing.size() * 120);
    const char* theme = in.theme == WallTheme::Light ? "light" : "dark";
    page += "<!DOCTYPE html>\n<html lang=\"en\"><head>\n<meta charset=\"utf-8\">\n";
    page += "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">\n";
    page += "<title>" + htmlEscape(in.title) + " - Rankhall</title>\n";
    page += "<noscript><meta http-equiv=\"refresh\" content=\"" +
            std::to_string(kWallRefreshMs / 1000) + "\"></noscript>\n";
    page += "<style>";
    page += kStyle;
    page += "</style>\n</head>\n";
    page += std::string("<body class=\"theme-") + theme + "\" data-theme=\"" + theme +
            "\" data-page-ms=\"" + std::to_string(kWallPageMs) + "\" data-refresh-ms=\"" +
            std::to_string(kWallRefreshMs) + "\">\n";
    appendHeader(page, in);
    page += "<main>\n";
    appendStandings(page, in);
    page += "<aside>\n";
    appendPlaying(page, in);
    appendChart(page, in);
    appendShare(page, in);
    page += "</aside>\n</main>\n<script>";
    page += kScript;
    page += "</script>\n</body></html>\n";
    return page;
}

} // namespace rh
