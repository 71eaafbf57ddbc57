#include <gtest/gtest.h>

#include "model/DeclClasses.h"
#include "tests/support/RandomDeclaration.h"

namespace talver {
namespace {

// Generated documents that use every list, stream and branch save, load and save again to the
// same bytes, at exactly their computed size.
TEST(RoundTrip, RandomDeclarationsSaveLoadAndSaveAgainIdentically) {
  for (std::uint32_t seed = 1; seed <= 300; ++seed) {
    SCOPED_TRACE("seed " + std::to_string(seed));
    mTDeclaration original;
    testing::RandomFiller(seed).Fill(original);
    const std::string first = original.SaveToBytes();
    ASSERT_EQ(first.size(), original.StoredSize());
    mTDeclaration loaded;
    ASSERT_NO_THROW(loaded.LoadFromBytes(first.data(), first.size()));
    const std::string second = loaded.SaveToBytes();
    ASSERT_EQ(second.size(), loaded.StoredSize());
    ASSERT_EQ(second, first);
  }
}

}  // namespace
}  // namespace talver
