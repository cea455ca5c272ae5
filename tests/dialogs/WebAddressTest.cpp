#include "dialogs/WebAddress.h"

#include <gtest/gtest.h>

TEST(WebAddress, OnlyWebAndMailAddressesAreOpened)
{
    for (const char* accepted : {"http://example.org/", "HTTPS://Example.org/a?b=c", "Mailto:ann@example.org"})
        EXPECT_TRUE(IsWebAddress(accepted)) << accepted;
    for (const char* refused :
         {"", "http://", "mailto:", " http://example.org/", "C:\\Windows\\notepad.exe", "\\\\server\\share\\x.exe",
          "file:///C:/x.exe", "notepad", "x http://example.org/", "http:\\\\server\\share", "ftp://example.org/",
          "http://a b", "http://a\"b", "http://a\tb", "https://a\x7F", "javascript:alert(1)"})
        EXPECT_FALSE(IsWebAddress(refused)) << refused;
}
