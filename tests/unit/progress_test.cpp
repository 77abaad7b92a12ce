// Status texts of the dial events: every state and error pair the member
// can see, in code page 949, and the once-per-dial announcements.
#include <gtest/gtest.h>
#include <string>
#include "dialer/connect/engine.h"
#include "shared/message.h"

namespace {

std::string Cp949(const char *utf8) {
    wchar_t wide[512];
    char out[1024];
    int n = MultiByteToWideChar(CP_UTF8, 0, utf8, -1, wide, 512);
    WideCharToMultiByte(949, 0, wide, n, out, sizeof(out), nullptr, nullptr);
    return out;
}

class ProgressText : public ::testing::Test {
protected:
    void SetUp() override { AppInstance = GetModuleHandleA(nullptr); }
    std::string Text(DWORD state, DWORD error, DWORD *announced = nullptr) {
        DWORD flags = 0;
        char text[STATUS_TEXT_SIZE];
        DialProgressText(state, error, announced ? announced : &flags, text, sizeof(text));
        return text;
    }
};

TEST_F(ProgressText, StatesAndErrors) {
    struct Case { DWORD state, error; const char *utf8; };
    const Case cases[] = {
        {0, 0, "포트를 열었습니다."},
        {0, 5, "포트를 열 수 없습니다.(5)"},
        {1, 0, ""},
        {1, 676, "통화 중 입니다."},
        {1, 680, "신호음이 감지되지 않습니다.\r\n전화선을 확인해 주십시오."},
        {1, 678, "상대측 모뎀이 응답하지 않습니다."},
        {1, 629, "회선상태 또는 정확한 ID와 비밀번호를\r\n입력했는지 사용중인지를 확인하십시오."},
        {1, 602, "포트가 이미 열려있습니다."},
        {1, 999, "모뎀 확인 후 다시 연결 하십시오. (999)"},
        {2, 676, "전화걸기를 시작할 수 없습니다.(676)"},
        {4, 7, "전화가 연결되지 않았습니다.(7)"},
        {5, 0, "인터넷에 연결을 하고 있습니다.\r\n사용자 확인 중입니다."},
        {6, 0, ""},
        {14, 0, "사용자가 확인되었습니다."},
        {19, 691, "스크립트를 실행할 수 없습니다.(691)"},
        {0x1000, 0, "대화 상태 (0)"},
        {0x1001, 676, "통화 중 입니다."},
        {0x2000, 0, "인터넷에 연결 되었습니다."},
        {0x2000, 8, "인터넷에 연결할 수 없습니다.(8)"},
        {0x2001, 0, "연결되었습니다."},
        {0x2001, 678, "상대측 모뎀이 응답하지 않습니다."},
        {7, 0, "rasCS=7 dwError=0"},
        {0x2002, 3, "rasCS=8194 dwError=3"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE("state " + std::to_string(c.state) + " error " + std::to_string(c.error));
        EXPECT_EQ(Text(c.state, c.error), Cp949(c.utf8));
    }
}

TEST_F(ProgressText, DialingAndLineTextsAppearOncePerDial) {
    DWORD announced = 0;
    EXPECT_EQ(Text(2, 0, &announced), Cp949("전화를 걸고 있습니다."));
    EXPECT_EQ(Text(2, 0, &announced), "");
    EXPECT_EQ(Text(3, 0, &announced), Cp949("전화가 연결되었습니다.\r\n사용자를 확인 중입니다."));
    EXPECT_EQ(Text(4, 0, &announced), "");
    EXPECT_EQ(Text(0x1003, 0, &announced), "");
    announced = 0;  // a new dial
    EXPECT_EQ(Text(2, 0, &announced), Cp949("전화를 걸고 있습니다."));
}

}  // namespace
