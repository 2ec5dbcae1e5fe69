#include "money/payout_editor.h"

#include "core/text.h"

#include <algorithm>
#include <cmath>

namespace rh {

std::vector<int> defaultPayoutPercents(int places) {
    switch (places) {
    case 3:
        return {50, 30, 20};
    case 4:
        return {45, 30, 15, 10};
    case 5:
        return {45, 25, 15, 10, 5};
    case 6:
        return {40, 25, 15, 10, 7, 3};
    case 7:
        return {45, 20, 15, 10, 5, 3, 2};
    case 8:
        return {38, 20, 15, 10, 7, 5, 3, 2};
    default:
        return {};
    }
}

std::vector<std::string> payoutCountItems(int entrants) {
    std::vector<std::string> items;
    for (int count = 3; count <= std::min(entrants, kPayoutPlaces); ++count)
        items.push_back(fmt00(count));
    return items;
}

bool isAmountInput(std::string_view text) {
    bool point = false;
    for (char c : text) {
        if (c == '.') {
            if (point)
                return false;
            point = true;
        } else if (c < '0' || c > '9') {
            return false;
        }
    }
    return true;
}

bool readAmount(std::string_view text, const CurrencyFormat& format, double& amount) {
    // The typed form first: "12.5" is twelve and a half whatever the money format's separators.
    const std::string t = trim(text);
    if (t.empty())
        return false;
    return tryParseNumber(t, amount) || parseMoney(t, format, amount);
}

Rgb remainingPayoutColor(double remaining) {
    const long long cents = std::llround(remaining * 100);
    if (cents == 0)
        return Rgb{255, 255, 255};
    return cents < 0 ? kLightRed : kLightGreen;
}

PayoutBalance comparePayouts(double sum, double net) {
    const long long s = std::llround(sum * 100);
    const long long n = std::llround(net * 100);
    if (s > n)
        return PayoutBalance::Exceeds;
    return s < n ? PayoutBalance::Short : PayoutBalance::Balanced;
}

bool PayoutWorksheet::open(const PayoutEditorRequest& request) {
    m_request = request;
    m_placeCount = std::clamp(request.placeCount, 0, kPayoutPlaces);
    m_countAtOpening = request.placeCount;
    m_netText = request.netPayoutText;
    double net = 0;
    m_net = readAmount(m_netText, m_format, net) ? net : request.netPayout;
    if (m_netText.empty())
        m_netText = formatMoney(m_net, m_format);
    m_countItems = payoutCountItems(request.entrants);

    bool listed = true;
    m_selectedCount = 0;
    if (m_placeCount > 0) {
        listed = std::find(m_countItems.begin(), m_countItems.end(), fmt00(m_placeCount)) !=
                 m_countItems.end();
        if (listed)
            m_selectedCount = m_placeCount;
    }
    for (int place = 0; place < kPayoutPlaces; ++place) {
        Box& box = m_boxes[std::size_t(place)];
        box = Box{};
        if (place < m_placeCount) {
            // The amount as handed in: its share of the net payout applied to the net payout.
            box.text = formatMoney(request.amounts[std::size_t(place)], m_format, kMoney2);
            box.percent = percentOf(box.text);
            box.enabled = true;
        }
    }
    return listed;
}

void PayoutWorksheet::chooseCount(int count) {
    if (count <= 0) {
        m_placeCount = 0;
        return;
    }
    m_placeCount = std::min(count, kPayoutPlaces);
    m_selectedCount = m_placeCount;
    for (int place = 0; place < kPayoutPlaces; ++place)
        m_boxes[std::size_t(place)] = Box{{}, place < m_placeCount, "0%"};
    const std::vector<int> percents = defaultPayoutPercents(m_placeCount);
    for (std::size_t place = 0; place < percents.size(); ++place)
        applyShare(int(place), percents[place] / 100.0);
}

void PayoutWorksheet::setBoxText(int place, std::string text) {
    m_boxes.at(std::size_t(place)).text = std::move(text);
}

const std::string& PayoutWorksheet::enterBox(int place) {
    Box& box = m_boxes.at(std::size_t(place));
    double amount = 0;
    if (!trim(box.text).empty() && readAmount(box.text, m_format, amount))
        box.text = formatGeneral(amount);
    return box.text;
}

void PayoutWorksheet::leaveBox(int place) {
    Box& box = m_boxes.at(std::size_t(place));
    double amount = 0;
    if (trim(box.text).empty() || !readAmount(box.text, m_format, amount))
        return;
    box.text = formatMoney(amount, m_format, kMoney2);
    box.percent = percentOf(box.text);
}

void PayoutWorksheet::applyShare(int place, double share) {
    Box& box = m_boxes.at(std::size_t(place));
    box.text = formatMoney(m_net * share, m_format, kMoney2);
    box.percent = percentOf(box.text);
}

void PayoutWorksheet::clear() {
    for (Box& box : m_boxes) {
        box.text.clear();
        box.percent = "0%";
    }
}

std::string PayoutWorksheet::percentOf(const std::string& text) const {
    double amount = 0;
    // Without money to share there is no share to show.
    if (m_net <= 0 || !readAmount(text, m_format, amount))
        return "0%";
    return formatGeneral(roundHalfAway(amount / m_net * 100) + 0.0) + "%";
}

double PayoutWorksheet::sum() const {
    double total = 0;
    for (const Box& box : m_boxes) {
        double amount = 0;
        if (box.enabled && readAmount(box.text, m_format, amount))
            total += amount;
    }
    return total;
}

double PayoutWorksheet::remaining() const {
    return roundHalfAway(m_net - sum(), 2);
}

std::string PayoutWorksheet::remainingText() const {
    return formatMoney(remaining(), m_format, kMoney);
}

bool PayoutWorksheet::okEnabled() const {
    return roundHalfEven(remaining()) == 0;
}

PayoutEditorRequest PayoutWorksheet::result() const {
    PayoutEditorRequest out = m_request;
    out.placeCount = m_placeCount;
    for (int place = 0; place < m_placeCount; ++place) {
        double amount = 0;
        // A box without a number (emptied) keeps the amount that place had before.
        if (readAmount(m_boxes[std::size_t(place)].text, m_format, amount))
            out.amounts[std::size_t(place)] = amount;
    }
    return out;
}

} // namespace rh
