#include "core/place_words.h"

#include "core/errors.h"

namespace rh {

PlaceWords::PlaceWords()
    : m_words{"First", "Second", "Third", "Fourth", "Fifth", "Sixth", "Seventh", "Eighth"} {}

const std::string& PlaceWords::Place(int index) const {
    if (index < 1 || static_cast<std::size_t>(index) > m_words.size())
        throw RhError(err::BadIndex);
    return m_words[static_cast<std::size_t>(index - 1)];
}

} // namespace rh
