#pragma once
// The report of `rankhall-cli report`: the tournament's settings, payout table, standings,
// winners, fines, jackpot, game details, sit-outs, the round's mismatches and every message the
// load and the views showed, as one JSON document (an indent of two, keys in a fixed order).

#include "core/scripted_prompt.h"
#include "services/session.h"

#include <functional>
#include <string>
#include <string_view>

namespace rh {

/// Writes the report of `session` through `put`, one section (and within the long sections one
/// row) at a time, so a large tournament never has its whole document in memory. `loaded` says
/// whether the load succeeded: after a failed one the views stay empty, as the window's do, and
/// the tournament section shows the empty tournament the reset left. A view that fails on a
/// damaged tournament is reported to the session's prompt as the window reports it and left
/// empty; `prompt` is the session's own, whose messages end the document.
void writeReportJson(Session& session, const ScriptedPrompt& prompt, bool loaded,
                     const std::function<void(std::string_view)>& put);

/// The same report as one text.
std::string reportJson(Session& session, const ScriptedPrompt& prompt, bool loaded);

} // namespace rh
