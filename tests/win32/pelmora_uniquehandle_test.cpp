// The one owner of handles: each handle is given back once, by whichever owner holds it last,
// and the value that holds nothing is never given back.
#include <windows.h>

#include <gtest/gtest.h>

#include <vector>

#include "UniqueHandle.h"

namespace velm {
namespace {

std::vector<HANDLE> closed;
void NoteClose(HANDLE handle) {
  closed.push_back(handle);
}
using Noted = UniqueAny<HANDLE, &NoteClose, NoneIsInvalid>;

TEST(UniqueAnyTest, MovesHandOverAndEachHandleIsGivenBackOnce) {
  closed.clear();
  const HANDLE a = reinterpret_cast<HANDLE>(1), b = reinterpret_cast<HANDLE>(2);
  {
    Noted first(a);
    Noted second(std::move(first));
    EXPECT_FALSE(first);
    Noted third(b);
    third = std::move(second);  // b goes now, a with the last owner
    EXPECT_EQ(closed, std::vector<HANDLE>{b});
    Noted none;
    EXPECT_FALSE(none);
    EXPECT_EQ(Noted(INVALID_HANDLE_VALUE).get(), INVALID_HANDLE_VALUE);
    EXPECT_EQ(third.get(), a);
  }
  EXPECT_EQ(closed, (std::vector<HANDLE>{b, a}));
}

}  // namespace
}  // namespace velm
