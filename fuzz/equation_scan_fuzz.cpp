// Fuzzes both equation patterns, "%dx %c %dy = %d" and "%lfx %c %lfy = %lf":
// fields past the last one read keep their starting value, no coefficient is
// infinite or undefined, and the x and y terms the integer pattern gets past
// the floating pattern reads alike.
#include <cmath>
#include <cstdint>

#include "equations/equation_scan.h"
#include "fuzz_support.h"

namespace {

template <typename Number>
void checkUnreadFields(const ScannedEquation<Number>& scanned) {
  fuzzCheck(scanned.fieldsRead >= 0 && scanned.fieldsRead <= 4, "at most four fields are read");
  if (scanned.fieldsRead < 1)
    fuzzCheck(scanned.a == Number{}, "an unread a stays 0");
  if (scanned.fieldsRead < 2)
    fuzzCheck(scanned.op == '\0', "an unread operator stays empty");
  if (scanned.fieldsRead < 3)
    fuzzCheck(scanned.b == Number{}, "an unread b stays 0");
  if (scanned.fieldsRead < 4)
    fuzzCheck(scanned.c == Number{}, "an unread c stays 0");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string_view text = asText(data, size);
  ScannedEquation<std::int32_t> whole = scanEquation<std::int32_t>(text);
  ScannedEquation<double> real = scanEquation<double>(text);
  checkUnreadFields(whole);
  checkUnreadFields(real);
  fuzzCheck(std::isfinite(real.a) && std::isfinite(real.b) && std::isfinite(real.c),
            "every coefficient is finite");
  // An integer the literal x or y follows is also the whole of a floating
  // number there, so a term the integer pattern got past is read alike; only
  // the right-hand side may read further (4.5, 4e999).
  if (whole.fieldsRead >= 2) {
    fuzzCheck(real.fieldsRead >= 2, "the floating pattern gets past the x term too");
    fuzzCheck(real.a == static_cast<double>(whole.a), "both patterns read the same a");
    fuzzCheck(real.op == whole.op, "both patterns read the same operator");
  }
  if (whole.fieldsRead == 4) {
    fuzzCheck(real.fieldsRead >= 3, "the floating pattern gets past the y term too");
    fuzzCheck(real.b == static_cast<double>(whole.b), "both patterns read the same b");
  }
  return 0;
}
