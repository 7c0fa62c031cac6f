#pragma once

#include <cstdint>
#include <cstring>

#include "api/FieldMap.h"
#include "foundation/CDynBuffer.h"
#include "foundation/ErrorCatalogue.h"
#include "foundation/HP.h"
#include "secure/CBodyParser.h"
#include "secure/CHeadParser.h"

// The message being handled: the object's head, body and decompression buffers (filled by the
// dispatcher) and the kind's error catalogue.
struct MessageContext {
    CDynBuffer& head;
    CDynBuffer& body;
    CDynBuffer& unzip;
    const ErrorMap& catalogue;
};

// How one kind of answer or push with records reaches the application.
struct DataRules {
    bool list;                 // the body may hold several '^'-separated records
    FieldTable record;         // record (and head) -> struct, for each delivered record
    FieldTable headOnError{};  // head -> struct in the error and no-record cases
    int32_t noRecordCode = 0;  // error reported when no record is left (0: none)
    const char* noRecordText = "";
    bool recordIsLast = true;  // IsLast on the last delivered record (false: always false)
};

// Parses the head into response info; a non-zero error code gets its catalogue text.
template <class TRspInfo>
void ResolveHeadError(CHeadParser<TRspInfo>& head, const ErrorMap& catalogue) {
    if (head.m_rspInfo.ErrorID != 0)
        HP::SafeCopy(head.m_rspInfo.ErrorMsg, sizeof head.m_rspInfo.ErrorMsg,
                     LookupErrorText(catalogue, head.ErrorCodeText()));
}

// A status-only answer: one call with the head's response info.
// call(TRspInfo* info, int requestId, bool isLast)
template <class TRspInfo, class Call>
void DeliverStatus(const MessageContext& ctx, Call&& call, bool isLast = true) {
    CHeadParser<TRspInfo> head(ctx.head);
    ResolveHeadError(head, ctx.catalogue);
    call(&head.m_rspInfo, head.m_iRequestId, isLast);
}

// An answer or push with records, delivered in the one pattern every kind follows: head error
// (catalogue text), body error (the parser's code), no record, or one call per record with IsLast
// on the last. The data struct lives on this stack frame and is zero-filled before each call.
// call(TData* data, TRspInfo* info, int requestId, bool isLast)
template <class TRecord, class TData, class TRspInfo, class Call>
void DeliverData(const MessageContext& ctx, const DataRules& rules, Call&& call) {
    CHeadParser<TRspInfo> head(ctx.head);
    TRspInfo& info = head.m_rspInfo;
    TData data;
    auto fillFromHead = [&] {
        std::memset(&data, 0, sizeof data);
        if (rules.headOnError.count != 0) FillFields(&data, rules.headOnError, nullptr, 0, &head.m_info);
    };
    if (info.ErrorID != 0) {
        ResolveHeadError(head, ctx.catalogue);
        fillFromHead();
        call(&data, &info, head.m_iRequestId, true);
        return;
    }
    CBodyParser<TRecord> body(ctx.body, ctx.unzip, head.m_bCompressed, rules.list);
    if (body.m_lErrorCode != 0) {
        info.ErrorID = static_cast<int>(body.m_lErrorCode);
        HP::SafeCopy(info.ErrorMsg, sizeof info.ErrorMsg, body.m_pErrorText);
        fillFromHead();
        call(&data, &info, head.m_iRequestId, true);
        return;
    }
    if (body.m_vecRecords.empty()) {
        if (rules.noRecordCode != 0) {
            info.ErrorID = rules.noRecordCode;
            HP::SafeCopy(info.ErrorMsg, sizeof info.ErrorMsg, rules.noRecordText);
        }
        fillFromHead();
        call(&data, &info, head.m_iRequestId, true);
        return;
    }
    const size_t n = body.m_vecRecords.size();
    for (size_t i = 0; i < n; ++i) {
        const TRecord& record = body.m_vecRecords[i];
        std::memset(&data, 0, sizeof data);
        FillFields(&data, rules.record, record.m_item, record.m_nCount, &head.m_info);
        call(&data, &info, head.m_iRequestId, rules.recordIsLast && i + 1 == n);
    }
}
