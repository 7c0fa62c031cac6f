#pragma once

#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "SimConnection.h"
#include "TradingBook.h"
#include "UserBook.h"
#include "secure/NetInfo.h"

using ConnectionMap = std::map<int, std::unique_ptr<SimConnection>>;

// The command codes, record sizes and error codes in which the stock and futures protocols differ.
struct TradeProtocol {
    bool future;
    const char* kind;  // "1" stock, "0" futures
    const char *login, *insert, *modify, *cancel;
    const char *status, *fill, *capitalPush, *positionPush;
    const char *qryOrder, *qryTrade, *qryCapital, *qryPosition;
    size_t loginFields, verifyPos, answerPos;
    size_t orderFields, cancelFields, fillFields;
    const char *notLoggedIn, *badQuestion, *badAnswer, *badCode;

    static const TradeProtocol& Stock();
    static const TradeProtocol& Futures();
};

// Answers the messages of the stock or the futures connections: login and logout, verification and
// password change, orders with their pushes, account and reference-data queries.
class TradingDesk {
public:
    TradingDesk(const TradeProtocol& p, UserBook& users, TradingBook& book, ConnectionMap& connections, bool compress);

    // False when the code is not one of this kind's requests.
    bool Handle(SimConnection& c, std::string_view code, const NetInfo& head, std::string_view body);
    // Matches the book and pushes what changed to the account's connections.
    void Match();

private:
    using Fields = std::vector<std::string>;
    // The body's fields ('@'-separated, at most `count`).
    static Fields Split(std::string_view body, size_t count);
    int RequestId(const NetInfo& head) const;
    std::string Error(const std::string& code, int requestId, std::string_view command) const;

    void Login(SimConnection& c, const NetInfo& head, std::string_view body);
    void Logout(SimConnection& c, const NetInfo& head);
    void Questions(SimConnection& c, const NetInfo& head);
    void SetQuestions(SimConnection& c, const NetInfo& head, std::string_view body);
    void SafeVerify(SimConnection& c, const NetInfo& head, std::string_view body);
    void VerifyCode(SimConnection& c, const NetInfo& head);
    void PasswordUpdate(SimConnection& c, const NetInfo& head, std::string_view body);
    void Insert(SimConnection& c, const NetInfo& head, std::string_view body);
    void Modify(SimConnection& c, const NetInfo& head, std::string_view body);
    void Cancel(SimConnection& c, const NetInfo& head, std::string_view body);
    void Query(SimConnection& c, std::string_view code, const NetInfo& head, std::string_view body);
    void Reference(SimConnection& c, std::string_view code, const NetInfo& head, std::string_view body);

    // A list answer: records joined by '^', compressed with --compress or when too long for the
    // client; split over several messages only when even that does not fit.
    void SendList(SimConnection& c, std::string_view code, int requestId, const Fields& records);
    void SendSingle(SimConnection& c, std::string_view code, int requestId, const std::string& record);
    // Pushes about an order change (and its fill) to every connection of the account.
    void PushOrder(SimAccount& a, const SimOrder& o, const SimFill* fill);
    void PushCapital(SimAccount& a, const std::string& currency);
    void PushPosition(SimAccount& a, const SimContract* contract);
    template <class F>
    void ForAccount(const std::string& account, F&& f);

    std::string OrderRecord(const SimOrder& o) const;
    std::string StatusRecord(const SimOrder& o, const SimFill* fill) const;
    std::string FillRecord(const SimFill& f) const;
    std::string CancelRecord(const SimOrder& o, int64_t cancelled) const;
    std::string CapitalPushRecord(SimAccount& a, const std::string& currency);
    std::string CapitalQueryRecord(SimAccount& a, const std::string& currency);
    std::string PositionRecord(SimAccount& a, const SimPosition& p);       // stock position
    std::string TotalPositionRecord(SimAccount& a, const SimPosition& p);  // futures, OrderStatusInfo
    std::string DetailRecord(SimAccount& a, const SimPosition& p);         // futures, HoldDetail

    const TradeProtocol& m_p;
    UserBook& m_users;
    TradingBook& m_book;
    ConnectionMap& m_connections;
    bool m_bCompress;
};
