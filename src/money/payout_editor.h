#pragma once
// PayoutWorksheet: what the payout worksheet (frmPayout) knows and computes, without a toolkit.
// The director splits the net payout over 3 to 8 paid places: choosing a number of places fills
// the boxes from the default percentage table, typed amounts show their share in percent, and the
// money still unallocated is shown in a colour that says whether too much or too little is given
// out. The dialog only draws this state and forwards the director's keys and clicks to it.
//
// Amount boxes hold text as the director sees it: a plain number while a box is being edited,
// currency with two decimals otherwise, or nothing. A box that does not hold a number counts as
// no amount everywhere (the sum, the remaining payout, the result).

#include "core/colour.h"
#include "core/currency.h"
#include "core/payout_request.h"

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace rh {

/// The worksheet's number of places boxes.
inline constexpr int kPayoutPlaces = 8;

/// The default shares in percent for a number of places, first place first (each row sums to
/// 100); empty for a count outside 3..8.
std::vector<int> defaultPayoutPercents(int places);

/// The place counts offered for a number of entrants: "03" up to the smaller of the entrants and
/// 8; none with fewer than 3 entrants.
std::vector<std::string> payoutCountItems(int entrants);

/// Whether a text may stand in an amount box while it is typed: only digits and at most one
/// decimal point (the empty text too).
bool isAmountInput(std::string_view text);

/// The value of an amount box: a plain number (as typed) or a money text (as shown); false for
/// anything else, the empty text included.
bool readAmount(std::string_view text, const CurrencyFormat& format, double& amount);

/// Background of the remaining payout: white when nothing is left to the cent, light red when too
/// much is given out, light green when money is left.
Rgb remainingPayoutColor(double remaining);

/// The sum of the amounts against the net payout, both in whole cents.
enum class PayoutBalance { Exceeds, Short, Balanced };
PayoutBalance comparePayouts(double sum, double net);

/// The two answers of the OK button when the amounts do not match the net payout.
inline constexpr const char* kPayoutsExceedText = "Error - The Payouts exceed Available Funds";
inline constexpr const char* kFundsLeftText = "Error - You have more Funds to Allocate, continue";

class PayoutWorksheet {
public:
    explicit PayoutWorksheet(CurrencyFormat format = CurrencyFormat::dollars())
        : m_format(std::move(format)) {}

    /// Loads the worksheet as the window opens: remembers the count at opening, takes the net
    /// payout text, offers the counts for the entrants, shows the handed-in amounts of the first
    /// `placeCount` places and enables exactly those boxes. Returns false when the count is above
    /// 0 but not among the offered counts (nothing is selected then; the amounts still show).
    bool open(const PayoutEditorRequest& request);

    // --- Number of places ----------------------------------------------------------------
    const std::vector<std::string>& countItems() const { return m_countItems; }
    /// The offered count shown as selected (0: none).
    int selectedCount() const { return m_selectedCount; }
    int PlaceCount() const { return m_placeCount; }
    int countAtOpening() const { return m_countAtOpening; }
    /// A count chosen in the list (or re-applied by Refresh); 0 stands for the empty text and only
    /// sets PlaceCount to 0. Otherwise every box is emptied and disabled, the first `count` boxes
    /// are enabled and filled from the default percentage table.
    void chooseCount(int count);

    // --- Amount boxes --------------------------------------------------------------------
    const std::string& boxText(int place) const { return m_boxes.at(std::size_t(place)).text; }
    bool boxEnabled(int place) const { return m_boxes.at(std::size_t(place)).enabled; }
    const std::string& percentText(int place) const {
        return m_boxes.at(std::size_t(place)).percent;
    }
    /// The box's text as the director typed it (the dialog filters the keys with isAmountInput).
    void setBoxText(int place, std::string text);
    /// Entering a box: a non-empty amount becomes its plain number (returned, to be selected).
    const std::string& enterBox(int place);
    /// Leaving a box: a non-empty amount is written as currency with 2 decimals and the place's
    /// percent is recomputed.
    void leaveBox(int place);
    /// Applies a share (0.45 for 45%) of the net payout to a place: the amount as currency with
    /// 2 decimals and its percent.
    void applyShare(int place, double share);
    /// Empties every box (percents "0%").
    void clear();

    // --- Totals --------------------------------------------------------------------------
    double netPayout() const { return m_net; }
    const std::string& netPayoutText() const { return m_netText; }
    /// The sum of the numeric amounts in the enabled boxes.
    double sum() const;
    /// Net payout less the sum, rounded to cents.
    double remaining() const;
    std::string remainingText() const;
    Rgb remainingColor() const { return remainingPayoutColor(remaining()); }
    /// OK is offered when the remaining payout rounds to 0 whole currency units.
    bool okEnabled() const;
    /// The OK button's check: the sum against the net payout in whole cents.
    PayoutBalance balance() const { return comparePayouts(sum(), m_net); }

    // --- Result --------------------------------------------------------------------------
    /// The request as accepted: PlaceCount and, for each of its places, the box's amount; a box
    /// without a number (emptied) and the places beyond PlaceCount keep what was handed in.
    PayoutEditorRequest result() const;
    /// Cancel: PlaceCount goes back to the count at opening.
    void cancel() { m_placeCount = m_countAtOpening; }

private:
    struct Box {
        std::string text;
        bool enabled = false;
        std::string percent = "0%";
    };
    std::string percentOf(const std::string& text) const;

    CurrencyFormat m_format;
    PayoutEditorRequest m_request;
    std::vector<std::string> m_countItems;
    std::array<Box, kPayoutPlaces> m_boxes{};
    double m_net = 0;
    std::string m_netText;
    int m_placeCount = 3;
    int m_countAtOpening = 3;
    int m_selectedCount = 0;
};

} // namespace rh
