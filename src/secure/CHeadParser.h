#pragma once

#include <cstring>
#include <string_view>

#include "foundation/CDynBuffer.h"
#include "foundation/HP.h"
#include "secure/NetInfo.h"

// Parses the head of the message being handled into the kind's response info (T: ErrorID and
// ErrorMsg[256]): error code from field 4, request id from field 10, compression from field 9.
// A head that cannot be parsed gives ErrorID 90001 "Parse head fails".
template <class T>
class CHeadParser {
public:
    explicit CHeadParser(const CDynBuffer& head) : m_strHead(head.View()) {
        std::memset(&m_rspInfo, 0, sizeof m_rspInfo);
        if (!m_info.ReadString(m_strHead)) {
            m_rspInfo.ErrorID = 90001;
            HP::SafeCopy(m_rspInfo.ErrorMsg, sizeof m_rspInfo.ErrorMsg, "Parse head fails");
            return;
        }
        const std::string_view mode = m_info.m_strField[9];
        m_bCompressed = mode == "2" || mode == "1";
        m_rspInfo.ErrorID = HP::ToInt(m_info.m_strField[4]);
        m_iRequestId = HP::ToInt(m_info.m_strField[10]);
        m_bParsed = true;
    }

    // The error code as received (the catalogue is keyed by this text, not by the number).
    std::string_view ErrorCodeText() const { return m_info.m_strField[4]; }

    bool m_bParsed = false;
    bool m_bCompressed = false;
    int m_iRequestId = 0;
    std::string_view m_strHead;
    NetInfo m_info;
    T m_rspInfo;
};
