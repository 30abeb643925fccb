// When the festivals fall: the keys of the four festival tables, one row per
// observance (several may share a day).  A festival's id is its table and
// its row; its names, in every script, are in texts/ under the same row.
#pragma once

#include <array>
#include <cstdint>

namespace moonfold {

// A Gregorian or lunar month 1..12 and day.
struct MonthDay {
  std::uint8_t month;
  std::uint8_t day;
};

// A given weekday of a Gregorian month: the n-th (Mother's Day, the second
// Sunday of May) or the last (世界麻风日, the last Sunday of January).
struct WeekdayRule {
  std::uint8_t month;    // 1..12
  std::uint8_t week;     // 1..4: the n-th such weekday of the month; kLastWeek: the last
  std::uint8_t weekday;  // 0 = Sunday .. 6 = Saturday
};
inline constexpr std::uint8_t kLastWeek = 0;

// Commemorative days of the Gregorian calendar, in (month, day) order.
inline constexpr auto kFixedDateFestivalDays = std::to_array<MonthDay>({
    {1, 1},    // 元旦
    {2, 2},    // 世界湿地日
    {2, 7},    // 国际声援南非日
    {2, 10},   // 国际气象节
    {2, 14},   // 情人节
    {2, 15},   // 中国12亿人口日
    {2, 21},   // 反对殖民制度斗争日
    {2, 24},   // 第三世界青年日
    {2, 28},   // 世界居住条件调查日
    {3, 1},    // 国际海豹日
    {3, 3},    // 全国爱耳日
    {3, 5},    // 学雷锋纪念日
    {3, 5},    // 中国青年志愿者服务日
    {3, 8},    // 国际劳动妇女节
    {3, 9},    // 保护母亲河日
    {3, 12},   // 植树节
    {3, 12},   // 孙中山逝世纪念日
    {3, 14},   // 国际警察日
    {3, 14},   // 白色情人节
    {3, 15},   // 国际消费者权益日
    {3, 16},   // 手拉手情系贫困小伙伴全国统一行动日
    {3, 17},   // 中国国医节
    {3, 17},   // 国际航海日
    {3, 18},   // 全国科技人才活动日
    {3, 21},   // 世界森林日
    {3, 21},   // 消除种族歧视国际日
    {3, 21},   // 世界儿歌日
    {3, 21},   // 世界睡眠日
    {3, 22},   // 世界水日
    {3, 23},   // 世界气象日
    {3, 24},   // 世界防治结核病日
    {3, 31},   // 安全教育日
    {4, 1},    // 愚人节
    {4, 1},    // 全国爱国卫生运动日
    {4, 2},    // 国际儿童图书日
    {4, 7},    // 世界卫生日
    {4, 21},   // 全国企业家活动日
    {4, 22},   // 世界地球日
    {4, 22},   // 世界法律日
    {4, 23},   // 世界图书和版权日
    {4, 23},   // 莎士比亚节
    {4, 24},   // 世界青年反对殖民主义日
    {4, 24},   // 亚非新闻工作者日
    {4, 25},   // 全国预防接种宣传日
    {4, 26},   // 世界知识产权日
    {4, 27},   // 联谊城日
    {4, 30},   // 全国交通安全反思日
    {5, 1},    // 国际劳动节
    {5, 1},    // 国际示威游行日
    {5, 3},    // 世界哮喘日
    {5, 4},    // 中国青年节
    {5, 4},    // 五四运动纪念日
    {5, 4},    // 科技传播日
    {5, 5},    // 全国碘缺乏病防治日
    {5, 8},    // 世界红十字日
    {5, 8},    // 世界微笑日
    {5, 12},   // 国际护士节
    {5, 15},   // 世界家庭(咨询)日
    {5, 17},   // 世界电信日
    {5, 18},   // 国际博物日
    {5, 20},   // 中国学生营养日
    {5, 20},   // 全国母乳喂养宣传日
    {5, 26},   // 世界向人体条件挑战日
    {5, 30},   // 『五卅』反对帝国主义运动纪念日
    {5, 31},   // 世界无烟日
    {6, 1},    // 国际儿童节
    {6, 5},    // 国际环境保护日
    {6, 6},    // 全国爱眼日
    {6, 11},   // 中国人口日
    {6, 17},   // 防治荒漠化和干旱日
    {6, 20},   // 世界难民日
    {6, 22},   // 中国儿童慈善活动日
    {6, 23},   // 国际奥林匹克日
    {6, 23},   // 世界手球日
    {6, 25},   // 全国土地日
    {6, 26},   // 国际禁毒日
    {6, 26},   // 国际宪章日
    {6, 30},   // 世界青年联欢节
    {7, 1},    // 中国共产党建党日
    {7, 1},    // 世界建筑日
    {7, 1},    // 香港回归日
    {7, 1},    // 亚洲"三十亿人口日"
    {7, 2},    // 国际体育记者日
    {7, 7},    // 中国人民抗日战争纪念日
    {7, 11},   // 世界(50亿)人口日
    {7, 26},   // 世界语(言)创建日
    {7, 28},   // 第一次世界大战爆发
    {7, 30},   // 非洲妇女日
    {8, 1},    // 中国建军节
    {8, 6},    // 国际电影节
    {8, 8},    // 中国男子节（爸爸节）
    {8, 12},   // 国际青年节
    {8, 15},   // 日本正式宣布无条件投降日
    {8, 26},   // 全国律师咨询日
    {9, 3},    // 中国抗日战争胜利纪念日
    {9, 8},    // 世界扫盲日
    {9, 8},    // 国际新闻工作者日
    {9, 9},    // 毛泽东逝世纪念日
    {9, 10},   // 中国教师节
    {9, 14},   // 世界清洁地球日
    {9, 16},   // 国际臭氧层保护日
    {9, 16},   // 中国脑健康日
    {9, 18},   // 九.一八事变纪念日
    {9, 20},   // 国际爱牙日
    {9, 21},   // 国际和平日(2002年后)
    {9, 27},   // 世界旅游日
    {9, 28},   // 孔子诞辰纪念日
    {10, 1},   // 国庆节
    {10, 1},   // 国际音乐日
    {10, 1},   // 国际老人节
    {10, 2},   // 国际和平与民主自由斗争日
    {10, 4},   // 世界动物日
    {10, 5},   // 世界教师日
    {10, 8},   // 全国高血压日
    {10, 8},   // 世界视觉日
    {10, 8},   // 国际左撇子日
    {10, 9},   // 世界邮政日(万国邮联日)
    {10, 10},  // 辛亥革命纪念日
    {10, 10},  // 世界精神卫生日
    {10, 10},  // 世界居室卫生日
    {10, 11},  // 声援南非政治犯日
    {10, 13},  // 世界保健日
    {10, 13},  // 国际教师节
    {10, 13},  // 中国少年先锋队诞辰日
    {10, 13},  // 采用格林威治时间为国际标准世界日
    {10, 14},  // 世界标准日
    {10, 15},  // 世界农村妇女日
    {10, 15},  // 国际盲人节（白手杖日）
    {10, 16},  // 世界粮食日
    {10, 17},  // 世界消除贫困日
    {10, 22},  // 世界传统医药日
    {10, 24},  // 联合国日
    {10, 24},  // 世界发展信息日
    {10, 28},  // 世界男性健康日
    {10, 31},  // 万圣节前晚
    {10, 31},  // 世界勤俭日
    {11, 1},   // 万圣节
    {11, 2},   // 万灵节
    {11, 7},   // 十月社会主义革命纪念日
    {11, 8},   // 中国记者日
    {11, 9},   // 全国消防安全宣传教育日
    {11, 10},  // 世界青年节
    {11, 11},  // 国际科学与和平周（本日所属的一周）
    {11, 12},  // 孙中山诞辰纪念日
    {11, 14},  // 世界糖尿病日
    {11, 17},  // 国际大学生节
    {11, 17},  // 世界学生节
    {11, 21},  // 世界问候日
    {11, 21},  // 世界电视日
    {11, 29},  // 国际声援巴勒斯坦人民国际日
    {12, 1},   // 世界艾滋病日
    {12, 2},   // 废除一切形式奴役世界日
    {12, 3},   // 世界残疾人日
    {12, 4},   // 中国法制宣传日
    {12, 5},   // 国际经济和社会发展志愿人员日
    {12, 5},   // 世界弱能人士日
    {12, 7},   // 国际民航日
    {12, 9},   // 一二.九运动纪念日
    {12, 9},   // 世界足球日
    {12, 10},  // 世界人权日
    {12, 11},  // 世界防治哮喘日
    {12, 12},  // 西安事变纪念日
    {12, 13},  // 南京大屠杀（1937年）纪念日
    {12, 15},  // 世界强化免疫日
    {12, 20},  // 澳门回归纪念日
    {12, 21},  // 国际篮球日
    {12, 24},  // 平安夜
    {12, 25},  // 圣诞节
    {12, 26},  // 毛泽东诞辰纪念日
    {12, 26},  // 圣诞节送礼日
    {12, 29},  // 国际生物多样性日
});

// In (month, week, weekday) order of their first appearance; a day meets at
// most one rule, and the observances of one rule stand together.
inline constexpr auto kWeekdayFestivalRules = std::to_array<WeekdayRule>({
    {1, 1, 0},   // 黑人日
    {4, 3, 0},   // 世界儿童日
    {4, 4, 3},   // 秘书节
    {5, 2, 0},   // 母亲节
    {5, 2, 0},   // 救助贫困母亲日
    {5, 3, 0},   // 全国助残日
    {5, 3, 2},   // 国际牛奶日
    {6, 3, 0},   // 父亲节
    {7, 1, 6},   // 国际合作节
    {7, 3, 0},   // 被奴役国家周
    {9, 1, 1},   // 劳动日
    {9, 3, 6},   // 全民国防教育日
    {9, 4, 0},   // 国际聋人节
    {9, 4, 0},   // 世界儿童日
    {10, 1, 1},  // 国际住房日
    {10, 2, 1},  // 感恩节(Canada)
    {10, 2, 3},  // 国际减轻自然灾害日
    {12, 2, 0},  // 国际儿童电视广播日
});

// The festivals that FLASTWEEK shows: those of a month's last weeks, on the
// last given weekday, and US Thanksgiving, which is the fourth Thursday of
// November (in a November of five Thursdays, not the last).
inline constexpr auto kLastWeekdayFestivalRules = std::to_array<WeekdayRule>({
    {1, kLastWeek, 0},  // 世界麻风日
    {3, kLastWeek, 1},  // 全国中小学生安全教育日
    {9, kLastWeek, 0},  // 国际海事日
    {9, kLastWeek, 0},  // 世界心脏日
    {11, 4, 4},         // 感恩节(US)
});

// The lunar dates of the great festivals that countdowns name as well
// (festivals/countdowns.h): each date is written here once.
inline constexpr MonthDay kSpringFestivalDay{1, 1};
inline constexpr MonthDay kLanternFestivalDay{1, 15};
inline constexpr MonthDay kDragonBoatDay{5, 5};
inline constexpr MonthDay kQixiDay{7, 7};
inline constexpr MonthDay kMidAutumnDay{8, 15};
inline constexpr MonthDay kDoubleNinthDay{9, 9};
inline constexpr MonthDay kLabaDay{12, 8};

// Festivals of the lunar calendar fixed to a lunar month and day, in
// calendar order.  腊八 is the eighth day of the twelfth month; the 23rd of
// that month is the Little New Year of the north (北方小年), the 24th that of
// the south (小年).  They are kept in ordinary months only, never in a leap
// month of the same number.
inline constexpr auto kLunarFestivalDays = std::to_array<MonthDay>({
    kSpringFestivalDay,   // 春节
    {1, 2},               // 大年初二
    {1, 3},               // 大年初三
    {1, 7},               // 人日
    kLanternFestivalDay,  // 元宵(上元)节
    {2, 1},               // 中和节
    {2, 2},               // 龙抬头节
    {2, 12},              // 花朝
    {3, 3},               // 上巳
    {3, 23},              // 妈祖生辰
    {4, 8},               // 浴佛节
    kDragonBoatDay,       // 端午节
    kQixiDay,             // 七夕情人节
    {7, 15},              // 中元节(鬼节)
    kMidAutumnDay,        // 中秋节
    kDoubleNinthDay,      // 重阳节
    {9, 9},               // 中国老年节
    {10, 1},              // 祭祖节
    kLabaDay,             // 腊八节
    {12, 23},             // 北方小年
    {12, 24},             // 小年
});

// Three lunar festivals that no month and day fix, after the dated rows:
// New Year's Eve on the last day of the twelfth month (the 29th or the
// 30th), and the two festivals held on a solar term's day.
inline constexpr auto kNewYearsEveRow =
    static_cast<std::uint8_t>(kLunarFestivalDays.size());  // 除夕
inline constexpr std::uint8_t kQingmingFestivalRow =
    kNewYearsEveRow + 1;  // 清明节, on the 清明 term
inline constexpr std::uint8_t kWinterSolsticeFestivalRow =
    kNewYearsEveRow + 2;  // 冬至节, on the 冬至 term
inline constexpr std::size_t kLunarFestivalCount = kWinterSolsticeFestivalRow + 1u;

}  // namespace moonfold
