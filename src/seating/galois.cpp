#include "seating/galois.h"

#include <algorithm>
#include <utility>

namespace rh::seating::detail {

std::vector<std::pair<int, int>> primePowers(int n) {
    std::vector<std::pair<int, int>> factors;
    for (int p = 2; p * p <= n; ++p) {
        int k = 0;
        while (n % p == 0) {
            n /= p;
            ++k;
        }
        if (k > 0)
            factors.emplace_back(p, k);
    }
    if (n > 1)
        factors.emplace_back(n, 1);
    return factors;
}

std::optional<GaloisField> GaloisField::make(int q) {
    if (q < 2)
        return std::nullopt;
    auto factors = primePowers(q);
    if (factors.size() != 1)
        return std::nullopt;
    GaloisField field(factors[0].first, factors[0].second, q);
    if (!field.findPrimitivePolynomial())
        return std::nullopt;
    return field;
}

// Tries the monic polynomials f of degree k in turn until the powers of x modulo f run through all
// q - 1 nonzero residues: then f is irreducible (the residues form a field) and x is primitive.
// Such a polynomial exists for every prime power, so the loop ends.
bool GaloisField::findPrimitivePolynomial() {
    const int p = m_p;
    const int k = m_k;
    std::vector<int> f(static_cast<std::size_t>(k)); // f = x^k + f[k-1] x^(k-1) + ... + f[0]
    std::vector<int> digits(static_cast<std::size_t>(k));
    auto code = [&] {
        int c = 0;
        for (int i = k - 1; i >= 0; --i)
            c = c * p + digits[static_cast<std::size_t>(i)];
        return c;
    };
    int candidates = 1;
    for (int i = 0; i < k; ++i)
        candidates *= p;
    for (int index = 0; index < candidates; ++index) {
        int rest = index;
        for (auto& coefficient : f) {
            coefficient = rest % p;
            rest /= p;
        }
        if (f[0] == 0)
            continue; // divisible by x
        m_exp.assign(static_cast<std::size_t>(m_q - 1), 0);
        m_log.assign(static_cast<std::size_t>(m_q), -1);
        std::fill(digits.begin(), digits.end(), 0);
        digits[0] = 1;
        bool primitive = true;
        for (int i = 0; i < m_q - 1; ++i) {
            const int c = code();
            if (c == 0 || m_log[static_cast<std::size_t>(c)] >= 0) {
                primitive = false;
                break;
            }
            m_exp[static_cast<std::size_t>(i)] = c;
            m_log[static_cast<std::size_t>(c)] = i;
            // multiply by x: shift up, then replace x^k by -(f[k-1] x^(k-1) + ... + f[0])
            const int top = digits[static_cast<std::size_t>(k - 1)];
            for (int j = k - 1; j > 0; --j)
                digits[static_cast<std::size_t>(j)] = digits[static_cast<std::size_t>(j - 1)];
            digits[0] = 0;
            for (int j = 0; j < k; ++j) {
                auto& d = digits[static_cast<std::size_t>(j)];
                d = ((d - top * f[static_cast<std::size_t>(j)]) % p + p) % p;
            }
        }
        if (primitive && code() == 1)
            return true;
    }
    return false;
}

int GaloisField::add(int a, int b) const {
    int sum = 0;
    for (int weight = 1; weight < m_q; weight *= m_p) {
        const int d = ((a / weight) % m_p + (b / weight) % m_p) % m_p;
        sum += d * weight;
    }
    return sum;
}

int GaloisField::negate(int a) const {
    int result = 0;
    for (int weight = 1; weight < m_q; weight *= m_p) {
        const int d = (a / weight) % m_p;
        result += ((m_p - d) % m_p) * weight;
    }
    return result;
}

int GaloisField::multiply(int a, int b) const {
    if (a == 0 || b == 0)
        return 0;
    return power(m_log[static_cast<std::size_t>(a)] + m_log[static_cast<std::size_t>(b)]);
}

} // namespace rh::seating::detail
