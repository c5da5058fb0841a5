#include "platform/inet/ParseUrl.h"

#include <gtest/gtest.h>

namespace {

struct Parsed
{
    BOOL bParsed = FALSE;
    DWORD dwServiceType = 0;
    CString strServer = L"stale";
    CString strObject = L"stale";
    INTERNET_PORT nPort = 1;
};

Parsed Parse(LPCTSTR pszUrl)
{
    Parsed parsed;
    parsed.bParsed = AfxParseURL(pszUrl, parsed.dwServiceType, parsed.strServer, parsed.strObject, parsed.nPort);
    return parsed;
}

} // namespace

TEST(AfxParseURL, splitsAnHttpUrlIntoServerObjectAndPort)
{
    struct Case
    {
        LPCTSTR pszUrl;
        LPCTSTR pszServer;
        LPCTSTR pszObject;
        INTERNET_PORT nPort;
    };
    const Case cases[] = {
        {L"http://api.iot.example/cmds?qos=1&device_id=a b#c", L"api.iot.example", L"/cmds?qos=1&device_id=a b#c", 80},
        {L"HTTP://Host:8080", L"Host", L"/", 8080},
        {L"http://host?x=1", L"host", L"/?x=1", 80},
        {L"http://127.0.0.1:65535/a/b/", L"127.0.0.1", L"/a/b/", 65535},
        {L"http://主机/路径", L"主机", L"/路径", 80},
    };
    for (const Case& c : cases) {
        const Parsed parsed = Parse(c.pszUrl);
        EXPECT_TRUE(parsed.bParsed) << c.pszUrl;
        EXPECT_EQ(parsed.dwServiceType, AFX_INET_SERVICE_HTTP) << c.pszUrl;
        EXPECT_EQ(parsed.strServer, c.pszServer) << c.pszUrl;
        EXPECT_EQ(parsed.strObject, c.pszObject) << c.pszUrl;
        EXPECT_EQ(parsed.nPort, c.nPort) << c.pszUrl;
    }
}

TEST(AfxParseURL, refusesOtherSchemesAndMalformedUrlsWithEveryOutputEmptied)
{
    for (LPCTSTR pszUrl : {L"https://host/", L"ftp://host/", L"not a url", L"http:/host/", L"http://", L"http:///path",
                           L"http://:80/", L"http://host:/", L"http://host:0/", L"http://host:65536/",
                           L"http://host:123456/", L"http://host:8a/", L"http://user@host/", L"http://ho st/", L""}) {
        const Parsed parsed = Parse(pszUrl);
        EXPECT_FALSE(parsed.bParsed) << pszUrl;
        EXPECT_EQ(parsed.dwServiceType, AFX_INET_SERVICE_UNK) << pszUrl;
        EXPECT_TRUE(parsed.strServer.IsEmpty()) << pszUrl;
        EXPECT_TRUE(parsed.strObject.IsEmpty()) << pszUrl;
        EXPECT_EQ(parsed.nPort, 0) << pszUrl;
    }
    EXPECT_FALSE(Parse(nullptr).bParsed);
}
