#include <gtest/gtest.h>

#include "base/Errors.h"
#include "base/Files.h"
#include "ftp/CertificateFingerprint.h"
#include "ftp/TConnList.h"
#include "support/TempDir.h"

namespace fsc {
namespace {

TEST(TConnList, OffersEveryLineButTheFirst) {
    test::TempDir dir;
    WriteFileBytes(
        dir / "f.con",
        "first;ignored;x;y\r\nHome;ftp.example.org;anna;http://example.org\r\nWork;w:2121;bo\r\n");
    TConnList list;
    list.Load(dir / "f.con");
    EXPECT_EQ(list.MenuEntries(), (std::vector<TProfileMenuEntry>{{"Home", 1}, {"Work", 2}}));
    EXPECT_EQ(list.Profile(1),
              (TConnectionProfile{"Home", "ftp.example.org", "anna", "http://example.org", false}));
    // Missing fields are empty.
    EXPECT_EQ(list.Profile(2), (TConnectionProfile{"Work", "w:2121", "bo", "", false}));
    EXPECT_EQ(list.Profile(7), TConnectionProfile{});

    // Deleting the second entry removes the file's third line.
    list.Delete(list.MenuEntries()[1].Line);
    list.Save(dir / "f.con");
    EXPECT_EQ(ReadFileBytes(dir / "f.con"),
              "first;ignored;x;y\r\nHome;ftp.example.org;anna;http://example.org\r\n");
}

TEST(TConnList, AFreshFileGetsAHeaderSoTheFirstProfileIsListed) {
    test::TempDir dir;
    TConnList list;
    list.Load(dir / "missing.con");
    EXPECT_TRUE(list.Lines.empty());
    EXPECT_TRUE(list.MenuEntries().empty());
    list.Add({NewConnectionName, "127.0.0.1:2121", "anna", InitialWWWAddress, false});
    ASSERT_EQ(list.MenuEntries().size(), 1u);
    EXPECT_EQ(list.MenuEntries()[0].Caption, "A New Connection");
    list.Save(dir / "state/new.con");
    EXPECT_EQ(ReadFileBytes(dir / "state/new.con"),
              std::string(ConnListHeader) + "\r\nA New Connection;127.0.0.1:2121;anna;http://\r\n");

    TConnList empty;
    empty.Save(dir / "empty.con");
    EXPECT_EQ(ReadFileBytes(dir / "empty.con"), std::string(ConnListHeader) + "\r\n");
}

TEST(TConnList, PassiveModeIsAnOptionalFifthField) {
    TConnList list;
    list.Add({"Old", "h", "u", "w", false});
    list.Add({"New", "h", "u", "w", true});
    EXPECT_EQ(list.Lines[1], "Old;h;u;w") << "active profiles keep the old four fields";
    EXPECT_EQ(list.Lines[2], "New;h;u;w;PASSIVE");
    EXPECT_FALSE(list.Profile(1).Passive);
    EXPECT_TRUE(list.Profile(2).Passive);

    list.Replace(1, {"Old", "h2", "u", "w", true});
    EXPECT_EQ(list.Lines[1], "Old;h2;u;w;PASSIVE");
}

// Encryption and a trusted certificate follow the passive-mode field; every older line, which
// has neither, stays plain FTP so that it connects as it did.
TEST(TConnList, EncryptionAndATrustedCertificateFollowThePassiveField) {
    const std::string fingerprint = "SHA256:" + std::string(62, '0') + "AB";
    TConnList list;
    list.Lines = {ConnListHeader, "Old;h;u;w;PASSIVE"};
    EXPECT_FALSE(list.Profile(1).Tls);
    list.Add({"Tls", "h", "u", "w", false, true, ""});
    list.Add({"Trusted", "h", "u", "w", true, true, "sha256:" + std::string(62, '0') + "ab"});
    list.Add({"PlainNow", "h", "u", "w", false, false, fingerprint});
    EXPECT_EQ(list.Lines[2], "Tls;h;u;w;;TLS");
    EXPECT_EQ(list.Lines[3].substr(0, 28), "Trusted;h;u;w;PASSIVE;TLS;SH");
    EXPECT_EQ(list.Profile(3), (TConnectionProfile{"Trusted", "h", "u", "w", true, true,
                                                   *ParseFingerprint(fingerprint)}));
    // Switched off, the trust is kept for when encryption is switched on again.
    EXPECT_EQ(list.Profile(4).TrustedCertificate, list.Profile(3).TrustedCertificate);
    EXPECT_FALSE(list.Profile(4).Tls);

    // A fingerprint spoilt by hand trusts nothing; a typed one that is no fingerprint is refused.
    list.Lines.push_back("Spoilt;h;u;w;;TLS;SHA256:12:34");
    EXPECT_EQ(list.Profile(5).TrustedCertificate, "");
    EXPECT_THROW(list.Add({"Bad", "h", "u", "w", false, true, "12:34"}), EUserInputError);

    // SFTP in the sixth field; an older version reads it as plain FTP, never as FTPS.
    list.Add({"Ssh", "h:2222", "u", "w", false, false, "", true});
    EXPECT_EQ(list.Lines[6], "Ssh;h:2222;u;w;;SFTP");
    EXPECT_TRUE(list.Profile(6).Sftp);
    EXPECT_FALSE(list.Profile(6).Tls);
    EXPECT_FALSE(list.Profile(3).Sftp);
}

TEST(TConnList, RefusesFieldsTheFileCannotKeep) {
    TConnList list;
    for (const TConnectionProfile& bad :
         {TConnectionProfile{"a;b", "h", "u", "w"}, TConnectionProfile{"n", "h", "u\r\nx", "w"},
          TConnectionProfile{"n", "h", "u", "http://x;y"}}) {
        EXPECT_THROW(list.Add(bad), EUserInputError)
            << bad.Name << "|" << bad.Login << "|" << bad.WWWAddress;
    }
    EXPECT_TRUE(list.Lines.empty()) << "a refused profile adds nothing, not even the header";
}

TEST(TConnList, LivesInThePerUserStateFolder) {
    test::ScopedEnv state("XDG_STATE_HOME", "/somewhere/state");
    EXPECT_EQ(ConnListFilePath(), "/somewhere/state/folioscope/folioscope.con");
}

}  // namespace
}  // namespace fsc
