#include <gtest/gtest.h>

#include <cstdint>
#include <new>

namespace {

// Volatile, so that the compiler cannot drop an allocation whose result goes unused.
volatile std::size_t g_hugeSize = SIZE_MAX / 2;

TEST(Allocation, NothrowForms_AnswerNullWhenTheHeapCannotServe)
{
    char* block = new (std::nothrow) char[g_hugeSize];
    EXPECT_EQ(block, nullptr);
    delete[] block;
    void* single = ::operator new(g_hugeSize, std::nothrow);
    EXPECT_EQ(single, nullptr);
    ::operator delete(single, std::nothrow);
}

// An empty request still gets a block of its own: the C runtime may answer null for it.
TEST(Allocation, ZeroSizedRequests_GiveDistinctBlocks)
{
    char* first = new char[0];
    char* second = new (std::nothrow) char[0];
    ASSERT_NE(second, nullptr);
    EXPECT_NE(first, second);
    delete[] second;
    delete[] first;
}

} // namespace
