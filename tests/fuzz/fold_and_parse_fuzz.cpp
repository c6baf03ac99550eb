// FoldFullWidth and TextToInteger on arbitrary bytes: the text ends at the
// first NUL of the input and sits in a block of exactly its size, so that a
// read past its NUL leaves the block (the sanitizers report it); the same
// text followed by the rest of the input must read the same.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string>

#include "app/heap.h"
#include "converter/number_text.h"
#include "tests/fuzz/fuzz_check.h"
#include "tests/fuzz/reference_parse.h"
#include "tests/support/counting_heap.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const char* bytes = reinterpret_cast<const char*>(data);
    const std::size_t length = strnlen(bytes, size);
    const std::unique_ptr<char[]> text(new char[length + 1]);
    std::memcpy(text.get(), bytes, length);
    text[length] = '\0';
    // The whole input, NULs and all, then a final NUL.
    const std::unique_ptr<char[]> withTail(new char[size + 1]);
    std::memcpy(withTail.get(), bytes, size);
    withTail[size] = '\0';

    const std::string expected = fuzz_reference::Fold(text.get());
    char* folded = FoldFullWidth(text.get());
    const std::string got = folded;
    FreeBlock(folded);
    FUZZ_CHECK(got.size() <= length);
    FUZZ_CHECK(got == expected);
    char* foldedWithTail = FoldFullWidth(withTail.get());
    FUZZ_CHECK(got == foldedWithTail);
    FreeBlock(foldedWithTail);

    const std::int32_t value = TextToInteger(text.get());
    FUZZ_CHECK(value == fuzz_reference::Parse(text.get()));
    FUZZ_CHECK(value == TextToInteger(withTail.get()));
    FUZZ_CHECK(test_heap::LiveBlocks() == 0);
    return 0;
}
