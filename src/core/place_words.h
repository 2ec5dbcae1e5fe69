#pragma once
// PlaceWords: the words of the paid places, "First" to "Eighth", as the payout table shows them.

#include <cstdint>
#include <string>
#include <vector>

namespace rh {

/// The eight place words, "First" to "Eighth".
class PlaceWords {
public:
    PlaceWords();
    std::int16_t Count() const { return static_cast<std::int16_t>(m_words.size()); }
    /// The word at the 1-based index; throws RhError 9 outside 1..Count.
    const std::string& Place(int index) const;
    const std::vector<std::string>& words() const { return m_words; }
    void RemoveAll() { m_words.clear(); }

private:
    std::vector<std::string> m_words;
};

} // namespace rh
