#include "reference/SloganMarquee.h"

#include "base/RandomSource.h"

const QStringList &SloganMarquee::slogans()
{
    static const QStringList texts = {
        QStringLiteral("三大规程血写成，切莫儿戏去验证  "),
        QStringLiteral("停电验电挂地线，认真监护保安全  "),
        QStringLiteral("规程记心上，违反就要遭殃  "),
        QStringLiteral("安全是天  责任无边  "),
        QStringLiteral("高压试验要谨记，试验接线先接地  "),
        QStringLiteral("现场戴好安全帽  人身安全有依靠  "),
        QStringLiteral("设备验电三步走，次序莫乱分清楚  "),
        QStringLiteral("两票三制严执行，检修规程记心间  "),
        QStringLiteral("反违章、除隐患、保安全、促生产  "),
        QStringLiteral("高空作业最危险，安全绳扣系腰间  "),
        QStringLiteral("检修作业两交底，安全预控搞彻底  "),
        QStringLiteral("爱心倾注安全，构建和谐电力  "),
        QStringLiteral("构建和谐电力，确保用电安全。  "),
        QStringLiteral("电网连着千万家，安全系着你我他  "),
        QStringLiteral("优质能源，优秀服务  "),
        QStringLiteral("一人安全，全家幸福;一人违章，大家遭殃  "),
        QStringLiteral(" 规程是生命之本，违章是安全祸根  "),
        QStringLiteral("反违章，除隐患;保安全，促生产。  "),
    };
    return texts;
}

bool SloganMarquee::tick()
{
    if (!m_running)
        return false;
    --m_x;
    if (m_x > kLeftEdge)
        return false;
    const int drawn = m_random.below(kDrawRange);
    const QString before = m_text;
    if (drawn >= kFirstSlogan && drawn < kDrawRange)
        m_text = slogans().at(drawn - kFirstSlogan);
    m_x = kReentryX;
    return m_text != before;
}
