// Asks Windows about the Authenticode signature of each file named on the
// command line and prints one line per file:
//   <file>|<WinVerifyTrust result in hex>|<embedded signature: yes or no>|<signer>
// The trust verdict depends on the machine's root certificates; whether a
// signature is there at all does not, so tests look at both.
#include <windows.h>
#include <wincrypt.h>
#include <wintrust.h>
#include <softpub.h>
#include <cstdio>
#include <string>

namespace {

LONG Verify(const wchar_t* path) {
    WINTRUST_FILE_INFO file = {};
    file.cbStruct = sizeof(file);
    file.pcwszFilePath = path;
    WINTRUST_DATA data = {};
    data.cbStruct = sizeof(data);
    data.dwUIChoice = WTD_UI_NONE;
    data.fdwRevocationChecks = WTD_REVOKE_NONE;
    data.dwUnionChoice = WTD_CHOICE_FILE;
    data.pFile = &file;
    data.dwStateAction = WTD_STATEACTION_VERIFY;
    GUID action = WINTRUST_ACTION_GENERIC_VERIFY_V2;
    LONG result = WinVerifyTrust(static_cast<HWND>(INVALID_HANDLE_VALUE), &action, &data);
    data.dwStateAction = WTD_STATEACTION_CLOSE;
    WinVerifyTrust(static_cast<HWND>(INVALID_HANDLE_VALUE), &action, &data);
    return result;
}

// The signer's name from the signature embedded in the file, or "" when the
// file carries none.
bool EmbeddedSigner(const wchar_t* path, std::string& signer) {
    HCERTSTORE store = nullptr;
    HCRYPTMSG msg = nullptr;
    DWORD encoding = 0, content = 0, format = 0;
    if (!CryptQueryObject(CERT_QUERY_OBJECT_FILE, path, CERT_QUERY_CONTENT_FLAG_PKCS7_SIGNED_EMBED,
                          CERT_QUERY_FORMAT_FLAG_BINARY, 0, &encoding, &content, &format, &store, &msg,
                          nullptr))
        return false;
    DWORD size = 0;
    if (CryptMsgGetParam(msg, CMSG_SIGNER_INFO_PARAM, 0, nullptr, &size) && size) {
        std::string buffer(size, '\0');
        auto* info = reinterpret_cast<CMSG_SIGNER_INFO*>(&buffer[0]);
        if (CryptMsgGetParam(msg, CMSG_SIGNER_INFO_PARAM, 0, info, &size)) {
            CERT_INFO wanted = {};
            wanted.Issuer = info->Issuer;
            wanted.SerialNumber = info->SerialNumber;
            PCCERT_CONTEXT cert = CertFindCertificateInStore(store, encoding, 0, CERT_FIND_SUBJECT_CERT,
                                                             &wanted, nullptr);
            if (cert) {
                char name[256] = "";
                CertGetNameStringA(cert, CERT_NAME_SIMPLE_DISPLAY_TYPE, 0, nullptr, name, sizeof(name));
                signer = name;
                CertFreeCertificateContext(cert);
            }
        }
    }
    CryptMsgClose(msg);
    CertCloseStore(store, 0);
    return true;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    for (int i = 1; i < argc; ++i) {
        std::string signer;
        bool embedded = EmbeddedSigner(argv[i], signer);
        std::printf("%ls|%08lx|%s|%s\n", argv[i], static_cast<unsigned long>(Verify(argv[i])),
                    embedded ? "yes" : "no", signer.c_str());
    }
    return 0;
}
