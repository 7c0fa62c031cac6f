#pragma once

#include <mutex>
#include <string>
#include <string_view>

#include "foundation/HP.h"

// The texts of a trading login (stock and futures requests share the member names).
struct LoginValues {
    std::string_view userId, userPwd, extraInfo, computerName, softwareName, softwareVersion, authorCode;

    template <class TField>
    static LoginValues Of(const TField& f) {
        return LoginValues{HP::FieldView(f.UserId),       HP::FieldView(f.UserPwd),
                           HP::FieldView(f.ExtraInfo),    HP::FieldView(f.ComputerName),
                           HP::FieldView(f.SoftwareName), HP::FieldView(f.SoftwareVersion),
                           HP::FieldView(f.AuthorCode)};
    }

    // The message of the first required field that is empty, in the order they are checked, or
    // null when all are given.
    template <class TField>
    static const char* MissingField(const TField& f) {
        if (f.UserId[0] == '\0') return "UserId 不能为空.";
        if (f.UserPwd[0] == '\0') return "UserPwd 不能为空.";
        if (f.ComputerName[0] == '\0') return "ComputerName 不能为空.";
        if (f.AuthorCode[0] == '\0') return "AuthorCode 不能为空.";
        if (f.SoftwareName[0] == '\0') return "SoftwareName 不能为空.";
        if (f.SoftwareVersion[0] == '\0') return "SoftwareVersion 不能为空.";
        return nullptr;
    }
};

// The last login that passed its checks, kept so that it can be sent again (encrypted) when the
// server starts a key exchange. Written by application threads, read by the receive thread.
class CStoredLogin {
public:
    void Store(const LoginValues& v) {
        std::lock_guard<std::mutex> lock(m_mtx);
        m_strUserId = v.userId;
        m_strUserPwd = v.userPwd;
        m_strExtraInfo = v.extraInfo;
        m_strComputerName = v.computerName;
        m_strSoftwareName = v.softwareName;
        m_strSoftwareVersion = v.softwareVersion;
        m_strAuthorCode = v.authorCode;
    }

    // Calls f(values) with the stored texts, under the lock.
    template <class F>
    void With(F&& f) const {
        std::lock_guard<std::mutex> lock(m_mtx);
        f(LoginValues{m_strUserId, m_strUserPwd, m_strExtraInfo, m_strComputerName, m_strSoftwareName,
                      m_strSoftwareVersion, m_strAuthorCode});
    }

private:
    mutable std::mutex m_mtx;
    std::string m_strUserId;
    std::string m_strUserPwd;
    std::string m_strExtraInfo;
    std::string m_strComputerName;
    std::string m_strSoftwareName;
    std::string m_strSoftwareVersion;
    std::string m_strAuthorCode;
};
