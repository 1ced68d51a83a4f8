<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="zh_CN">
<context>
    <name>CAdviceWindow</name>
    <message>
        <source>培养建议</source>
        <translation>Training advice</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>带队英雄: %1&#x3000;%2</source>
        <translation>Leader: %1 · %2</translation>
    </message>
    <message>
        <source>正在计算…</source>
        <translation>Computing…</translation>
    </message>
    <message>
        <source>计算已取消 (灰色的是上一次的结果)</source>
        <translation>Cancelled (greyed: the previous results)</translation>
    </message>
    <message>
        <source>计算已取消</source>
        <translation>Cancelled</translation>
    </message>
</context>
<context>
    <name>CAlternativesWindow</name>
    <message>
        <source>备选方案</source>
        <translation>Alternatives</translation>
    </message>
    <message>
        <source> 个方案</source>
        <translation> teams</translation>
    </message>
    <message>
        <source>名次</source>
        <translation>Rank</translation>
    </message>
    <message>
        <source>队伍 (带队在前)</source>
        <translation>Team (leader first)</translation>
    </message>
    <message>
        <source>英雄属性总值</source>
        <translation>Stat totals</translation>
    </message>
    <message>
        <source>可行性指数</source>
        <translation>Feasibility</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>缺席的英雄 (只在这里不计入):</source>
        <translation>Absent heroes (left out here only):</translation>
    </message>
    <message>
        <source>列出:</source>
        <translation>Show:</translation>
    </message>
    <message>
        <source>%1 (带队)</source>
        <translation>%1 (leader)</translation>
    </message>
    <message>
        <source>带队英雄: %1&#x3000;%2</source>
        <translation>Leader: %1 · %2</translation>
    </message>
    <message>
        <source>正在计算…</source>
        <translation>Computing…</translation>
    </message>
    <message>
        <source>计算已取消 (灰色的是上一次的结果)</source>
        <translation>Cancelled (greyed: the previous results)</translation>
    </message>
    <message>
        <source>计算已取消</source>
        <translation>Cancelled</translation>
    </message>
</context>
<context>
    <name>CExcludeHeroesDlg</name>
    <message>
        <source>排除英雄重新组队</source>
        <translation>Exclude heroes and plan again</translation>
    </message>
    <message>
        <source>勾选要排除的英雄（空格键勾选）：</source>
        <translation>Check the heroes to exclude (Space checks):</translation>
    </message>
    <message>
        <source>排除并重新组队</source>
        <translation>Exclude and plan again</translation>
    </message>
</context>
<context>
    <name>CHeroesDlg</name>
    <message>
        <source>粘贴</source>
        <translation>Paste</translation>
    </message>
    <message>
        <source>错误</source>
        <translation>Error</translation>
    </message>
    <message>
        <source>至少要勾选6个英雄！</source>
        <translation>Check at least 6 heroes!</translation>
    </message>
</context>
<context>
    <name>CMultiTeamWindow</name>
    <message>
        <source>多队规划</source>
        <translation>Multi-team plan</translation>
    </message>
    <message>
        <source>第1队带队:</source>
        <translation>Team 1 leader:</translation>
    </message>
    <message>
        <source>第%1队带队:</source>
        <translation>Team %1 leader:</translation>
    </message>
    <message>
        <source>带队</source>
        <translation>Leader</translation>
    </message>
    <message>
        <source>队伍 (带队在前)</source>
        <translation>Team (leader first)</translation>
    </message>
    <message>
        <source>可行性指数</source>
        <translation>Feasibility</translation>
    </message>
    <message>
        <source>复制全部</source>
        <translation>Copy all</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>计算已取消 (灰色的是上一次的结果)</source>
        <translation>Cancelled (greyed: the previous results)</translation>
    </message>
    <message>
        <source>计算已取消</source>
        <translation>Cancelled</translation>
    </message>
    <message>
        <source>(无)</source>
        <translation>(none)</translation>
    </message>
    <message>
        <source>正在计算…</source>
        <translation>Computing…</translation>
    </message>
    <message>
        <source>第%1队: %2&#x3000;%3</source>
        <translation>Team %1: %2 · %3</translation>
    </message>
</context>
<context>
    <name>CPlanListCtrl</name>
    <message>
        <source>名称</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>聪明</source>
        <translation>Smart</translation>
    </message>
    <message>
        <source>可爱</source>
        <translation>Cute</translation>
    </message>
    <message>
        <source>不正常</source>
        <translation>Abnormal</translation>
    </message>
</context>
<context>
    <name>CQuorvelDlg</name>
    <message>
        <source>培养建议(&amp;A)…</source>
        <translation>&amp;Training advice…</translation>
    </message>
    <message>
        <source>自选队伍(&amp;K)…</source>
        <translation>&amp;Own team…</translation>
    </message>
    <message>
        <source>方案(&amp;P)</source>
        <translation>&amp;Plan</translation>
    </message>
    <message>
        <source>关卡总览(&amp;L)…</source>
        <translation>&amp;Zone overview…</translation>
    </message>
    <message>
        <source>备选方案(&amp;T)…</source>
        <translation>&amp;Alternatives…</translation>
    </message>
    <message>
        <source>多队规划(&amp;M)…</source>
        <translation>&amp;Multi-team plan…</translation>
    </message>
    <message>
        <source>复制方案(&amp;C)</source>
        <translation>&amp;Copy plan</translation>
    </message>
    <message>
        <source>排除英雄重新组队(&amp;E)…</source>
        <translation>&amp;Exclude heroes and plan again…</translation>
    </message>
    <message>
        <source>帮助(&amp;H)</source>
        <translation>&amp;Help</translation>
    </message>
    <message>
        <source>关于 Quorvel(&amp;A)</source>
        <translation>&amp;About Quorvel</translation>
    </message>
    <message>
        <source>组队方案 (备选第%1名)</source>
        <translation>Team plan (alternative #%1)</translation>
    </message>
    <message>
        <source>Quorvel %1

公会疫区组队助手：为每一关的病毒、带队英雄和战斗策略，从花名册中找出可行性指数最高的六人队伍。

以 MIT 许可证发布。</source>
        <translation>Quorvel %1

Guild plague-zone team planner: for each level&apos;s virus, leader and strategy, it finds the team of six on the roster with the highest feasibility.

Released under the MIT License.</translation>
    </message>
    <message>
        <source>关于 Quorvel</source>
        <translation>About Quorvel</translation>
    </message>
</context>
<context>
    <name>CSelectDlg</name>
    <message>
        <source>请输入一个正整数。</source>
        <translation>Please enter a positive whole number.</translation>
    </message>
</context>
<context>
    <name>CTeamCheckWindow</name>
    <message>
        <source>自选队伍</source>
        <translation>Own team</translation>
    </message>
    <message>
        <source>输入名字查找</source>
        <translation>Type a name to find</translation>
    </message>
    <message>
        <source>第1位 (带队):</source>
        <translation>Hero 1 (leader):</translation>
    </message>
    <message>
        <source>第%1位:</source>
        <translation>Hero %1:</translation>
    </message>
    <message>
        <source>改用最佳方案的队伍(&amp;B)</source>
        <translation>Use the &amp;best plan&apos;s team</translation>
    </message>
    <message>
        <source>同一请求的最佳方案</source>
        <translation>Best plan, same request</translation>
    </message>
    <message>
        <source>队伍 (带队在前):</source>
        <translation>Team (leader first):</translation>
    </message>
    <message>
        <source>英雄属性总值:</source>
        <translation>Stat totals:</translation>
    </message>
    <message>
        <source>英雄伤害:</source>
        <translation>Hero damage:</translation>
    </message>
    <message>
        <source>病毒伤害:</source>
        <translation>Virus damage:</translation>
    </message>
    <message>
        <source>暴击伤害:</source>
        <translation>Crit damage:</translation>
    </message>
    <message>
        <source>可行性指数(基于100):</source>
        <translation>Feasibility (base 100):</translation>
    </message>
    <message>
        <source>生命余量:</source>
        <translation>Life margin:</translation>
    </message>
    <message>
        <source>伤害余量:</source>
        <translation>Damage margin:</translation>
    </message>
    <message>
        <source>可爱门槛:</source>
        <translation>Cute threshold:</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <translation>%1: %2</translation>
    </message>
    <message>
        <source> (未选中)</source>
        <translation> (unchecked)</translation>
    </message>
    <message>
        <source>请先在主窗口选择攻击目标和战斗策略。</source>
        <translation>First choose a target and a strategy in the main window.</translation>
    </message>
    <message>
        <source>每位英雄只能选一次</source>
        <translation>Each hero can be chosen only once</translation>
    </message>
    <message>
        <source>主窗口选定攻击目标、带队英雄和战斗策略后才有最佳方案</source>
        <translation>The best plan needs a target, a leader and a strategy chosen in the main window</translation>
    </message>
    <message>
        <source>正在计算…</source>
        <translation>Computing…</translation>
    </message>
    <message numerus="yes">
        <source>还要选 %n 位英雄</source>
        <translation>
            <numerusform>Choose %n more hero</numerusform>
            <numerusform>Choose %n more heroes</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>CVirusDlg</name>
    <message>
        <source>粘贴</source>
        <translation>Paste</translation>
    </message>
</context>
<context>
    <name>CZoneOverviewWindow</name>
    <message>
        <source>可行性指数:</source>
        <translation>Feasibility:</translation>
    </message>
    <message>
        <source>无可行方案</source>
        <translation>No feasible plan</translation>
    </message>
    <message>
        <source>关卡总览</source>
        <translation>Zone overview</translation>
    </message>
    <message>
        <source>只显示可行 (≥100)</source>
        <translation>Feasible only (≥100)</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>未选择带队英雄</source>
        <translation>No leader chosen</translation>
    </message>
    <message>
        <source>带队英雄: %1&#x3000;正在计算…</source>
        <translation>Leader: %1 · computing…</translation>
    </message>
    <message>
        <source>带队英雄: %1</source>
        <translation>Leader: %1</translation>
    </message>
    <message>
        <source>带队英雄: %1&#x3000;计算已取消</source>
        <translation>Leader: %1 · cancelled</translation>
    </message>
</context>
<context>
    <name>CheckTexts</name>
    <message>
        <source>聪明</source>
        <translation>Smart</translation>
    </message>
    <message>
        <source>可爱</source>
        <translation>Cute</translation>
    </message>
    <message>
        <source>不正常</source>
        <translation>Abnormal</translation>
    </message>
    <message>
        <source>当前方案已经可行, 无需培养</source>
        <translation>The plan is already feasible; no training needed</translation>
    </message>
    <message>
        <source>没有哪一项单独的提升能让可行性指数达到100</source>
        <translation>No single stat rise brings the feasibility to 100</translation>
    </message>
    <message>
        <source>病毒的不异常达到3334: 提升可爱反而降低英雄伤害, 所以没有可爱的建议; 英雄伤害至多为0, 任何单项培养都无法让可行性指数达到100</source>
        <translation>The virus&apos;s Normal is 3334 or more: raising Cute lowers the heroes&apos; damage, so there is no Cute advice; hero damage is at most 0, so no single training brings the feasibility to 100</translation>
    </message>
    <message>
        <source>培养建议(按所需提升从小到大)</source>
        <translation>Training advice (smallest rise first)</translation>
    </message>
    <message>
        <source>当前方案的可行性指数(基于100): %1</source>
        <translation>Feasibility of the current plan (base 100): %1</translation>
    </message>
    <message>
        <source>英雄</source>
        <translation>Hero</translation>
    </message>
    <message>
        <source>名称</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>属性</source>
        <translation>Stat</translation>
    </message>
    <message>
        <source>现值</source>
        <translation>Now</translation>
    </message>
    <message>
        <source>提升</source>
        <translation>Rise</translation>
    </message>
    <message>
        <source>提升后</source>
        <translation>After</translation>
    </message>
    <message>
        <source>可行性指数</source>
        <translation>Feasibility</translation>
    </message>
    <message>
        <source>提升后的队伍</source>
        <translation>Team after the rise</translation>
    </message>
    <message>
        <source>假设的组队方案: %1 的%2提升 %3 到 %4</source>
        <translation>Hypothetical team plan: %1&apos;s %2 raised by %3 to %4</translation>
    </message>
    <message>
        <source>生命余量</source>
        <translation>Life margin</translation>
    </message>
    <message>
        <source>伤害余量</source>
        <translation>Damage margin</translation>
    </message>
    <message>
        <source>限制方案的是生命余量</source>
        <translation>The life margin limits the plan</translation>
    </message>
    <message>
        <source>限制方案的是伤害余量</source>
        <translation>The damage margin limits the plan</translation>
    </message>
    <message>
        <source>两项余量同样限制方案</source>
        <translation>Both margins limit the plan equally</translation>
    </message>
    <message>
        <source>%1(跨度 %2): 还差 %3</source>
        <translation>%1 (span %2): short by %3</translation>
    </message>
    <message>
        <source>%1(跨度 %2): 富余 %3</source>
        <translation>%1 (span %2): spare %3</translation>
    </message>
    <message>
        <source>%1, 队伍可爱总值 %2: 达到门槛</source>
        <translation>%1, team Cute total %2: reached</translation>
    </message>
    <message>
        <source>%1, 队伍可爱总值 %2: 未达到门槛, 搜索不会考虑这支队伍</source>
        <translation>%1, team Cute total %2: not reached, the search will not consider this team</translation>
    </message>
    <message>
        <source>可爱门槛</source>
        <translation>Cute threshold</translation>
    </message>
</context>
<context>
    <name>CopiedNotice</name>
    <message>
        <source>已复制到剪贴板</source>
        <translation>Copied to the clipboard</translation>
    </message>
</context>
<context>
    <name>DialogTemplates</name>
    <message>
        <source>确定</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>修改病毒信息</source>
        <translation>Edit viruses</translation>
    </message>
    <message>
        <source>批量选择</source>
        <translation>Check rows</translation>
    </message>
    <message>
        <source>保存排列顺序</source>
        <translation>Save order</translation>
    </message>
    <message>
        <source>修改英雄信息</source>
        <translation>Edit heroes</translation>
    </message>
    <message>
        <source>第</source>
        <translation>#</translation>
    </message>
    <message>
        <source>至</source>
        <translation>to</translation>
    </message>
    <message>
        <source>项</source>
        <translation>rows</translation>
    </message>
    <message>
        <source>攻击目标:</source>
        <translation>Target:</translation>
    </message>
    <message>
        <source>编辑病毒信息</source>
        <translation>Edit viruses</translation>
    </message>
    <message>
        <source>带队英雄:</source>
        <translation>Leader:</translation>
    </message>
    <message>
        <source>编辑英雄信息</source>
        <translation>Edit heroes</translation>
    </message>
    <message>
        <source>战斗策略:</source>
        <translation>Strategy:</translation>
    </message>
    <message>
        <source>查看组队方案</source>
        <translation>Find team</translation>
    </message>
    <message>
        <source>组队方案</source>
        <translation>Team plan</translation>
    </message>
    <message>
        <source>英雄属性总值:</source>
        <translation>Stat totals:</translation>
    </message>
    <message>
        <source>英雄每次伤害值:</source>
        <translation>Hero damage:</translation>
    </message>
    <message>
        <source>病毒常规伤害值:</source>
        <translation>Virus damage:</translation>
    </message>
    <message>
        <source>病毒暴击伤害值:</source>
        <translation>Virus crit:</translation>
    </message>
    <message>
        <source>可行性指数(基于100):</source>
        <translation>Feasibility (base 100):</translation>
    </message>
    <message>
        <source>保持窗口在顶端显示</source>
        <translation>Keep on top</translation>
    </message>
    <message>
        <source>按获胜机率大小排列策略</source>
        <translation>Sort by win chance</translation>
    </message>
    <message>
        <source>青梧药庐公会疫区组队助手</source>
        <translation>Qingwu Apothecary Guild Plague Zone Planner</translation>
    </message>
</context>
<context>
    <name>DiskChangesMerge</name>
    <message>
        <source>-本次运行-</source>
        <translation>-this-run-</translation>
    </message>
</context>
<context>
    <name>FileErrors</name>
    <message>
        <source>不能在文件夹“%1”中写入文件（该文件夹是只读的，或没有写入它的权限）</source>
        <translation>Cannot write files in the folder &quot;%1&quot; (it is read-only, or you have no permission to write to it)</translation>
    </message>
    <message>
        <source>文件所在的文件夹是只读的，或没有在其中写入的权限</source>
        <translation>The file&apos;s folder is read-only, or you have no permission to write in it</translation>
    </message>
    <message>
        <source>该位置是一个链接，但它指向的文件不存在</source>
        <translation>That location is a link to a file that does not exist</translation>
    </message>
    <message>
        <source>不能在文件夹“%1”中写入文件：该文件夹是只读的，或没有在其中写入的权限</source>
        <translation>Cannot write files in the folder &quot;%1&quot;: it is read-only, or you have no permission to write in it</translation>
    </message>
    <message>
        <source>没有访问该文件的权限</source>
        <translation>No permission to access the file</translation>
    </message>
    <message>
        <source>文件系统是只读的</source>
        <translation>The file system is read-only</translation>
    </message>
    <message>
        <source>磁盘空间不足</source>
        <translation>Not enough disk space</translation>
    </message>
    <message>
        <source>文件所在的文件夹不存在</source>
        <translation>The file&apos;s folder does not exist</translation>
    </message>
    <message>
        <source>该位置是一个文件夹</source>
        <translation>That location is a folder</translation>
    </message>
    <message>
        <source>文件太大，超出了系统允许的大小</source>
        <translation>The file is larger than the system allows</translation>
    </message>
    <message>
        <source>读写设备出错</source>
        <translation>Device read/write error</translation>
    </message>
    <message>
        <source>该位置不是普通文件（而是设备、管道或套接字）</source>
        <translation>That location is not a regular file (but a device, pipe or socket)</translation>
    </message>
    <message>
        <source>%1（%2）</source>
        <translation>%1 (%2)</translation>
    </message>
    <message>
        <source>（%1）</source>
        <translation> (%1)</translation>
    </message>
</context>
<context>
    <name>HeroRosterModel</name>
    <message>
        <source>名称</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>聪明</source>
        <translation>Smart</translation>
    </message>
    <message>
        <source>可爱</source>
        <translation>Cute</translation>
    </message>
    <message>
        <source>不正常</source>
        <translation>Abnormal</translation>
    </message>
    <message>
        <source>聪明+可爱</source>
        <translation>Smart+Cute</translation>
    </message>
    <message>
        <source>总值</source>
        <translation>Total</translation>
    </message>
</context>
<context>
    <name>LanguageMenu</name>
    <message>
        <source>语言</source>
        <translation>Language</translation>
    </message>
    <message>
        <source>无法保存语言的选择：设置文件不能写入。</source>
        <translation>Could not save the language: the settings file cannot be written.</translation>
    </message>
    <message>
        <source>下次启动 Quorvel 时改用所选的语言。</source>
        <translation>Quorvel will use the chosen language the next time it starts.</translation>
    </message>
    <message>
        <source>语言 / &amp;Language</source>
        <translation>语言 / &amp;Language</translation>
    </message>
    <message>
        <source>跟随系统(&amp;S)</source>
        <translation>&amp;System language</translation>
    </message>
    <message>
        <source>中文(&amp;C)</source>
        <translation>中文 (Chinese) (&amp;C)</translation>
    </message>
</context>
<context>
    <name>MainWindowHints</name>
    <message>
        <source>换一关</source>
        <translation>Change level</translation>
    </message>
    <message>
        <source>上一关或下一关，并立即查看组队方案</source>
        <translation>Previous or next level, with its team plan at once</translation>
    </message>
    <message>
        <source>换一个战斗策略</source>
        <translation>Change strategy</translation>
    </message>
    <message>
        <source>上一个或下一个战斗策略，并立即查看组队方案</source>
        <translation>Previous or next strategy, with its team plan at once</translation>
    </message>
    <message>
        <source>几轮击败病毒、最多承受几次暴击，以及这样获胜的机率</source>
        <translation>Rounds to defeat the virus, the most crits withstood, and the win chance</translation>
    </message>
    <message>
        <source>可行性指数</source>
        <translation>Feasibility</translation>
    </message>
    <message>
        <source>以 100 为基准：100 以上可以按这个策略获胜，越大越稳妥</source>
        <translation>Base 100: from 100 up the strategy wins; the higher, the safer</translation>
    </message>
</context>
<context>
    <name>Menus</name>
    <message>
        <source>排除选中的英雄重新组队</source>
        <translation>Exclude selected heroes and plan again</translation>
    </message>
    <message>
        <source>将选中的英雄移到最前</source>
        <translation>Move selected heroes to the top</translation>
    </message>
    <message>
        <source>将选中的英雄移到最后</source>
        <translation>Move selected heroes to the bottom</translation>
    </message>
</context>
<context>
    <name>PlanChatText</name>
    <message>
        <source>队伍(聪明/可爱/不正常):</source>
        <translation>Team (Smart/Cute/Abnormal):</translation>
    </message>
    <message>
        <source>%1. %2&#x3000;%3 (带队)</source>
        <translation>%1. %2  %3 (leader)</translation>
    </message>
    <message>
        <source>%1. %2&#x3000;%3</source>
        <translation>%1. %2  %3</translation>
    </message>
    <message>
        <source>英雄属性总值: %1</source>
        <translation>Stat totals: %1</translation>
    </message>
    <message>
        <source>英雄每次伤害值: %1</source>
        <translation>Hero damage per hit: %1</translation>
    </message>
    <message>
        <source>病毒常规伤害值: %1</source>
        <translation>Virus regular damage: %1</translation>
    </message>
    <message>
        <source>病毒暴击伤害值: %1</source>
        <translation>Virus crit damage: %1</translation>
    </message>
</context>
<context>
    <name>PlanHints</name>
    <message>
        <source>还没有英雄的属性。从“花名册”菜单导入花名册 CSV，或点“编辑英雄信息”填写英雄，“编辑病毒信息”填写各关的病毒。</source>
        <translation>No hero has stats yet. Import a roster CSV from the &quot;Roster&quot; menu, or click &quot;Edit heroes&quot; to fill in the heroes and &quot;Edit viruses&quot; for each level&apos;s virus.</translation>
    </message>
    <message>
        <source>这个策略要求队伍“可爱”总值至少 %1，能组成的队伍最多只有 %2。</source>
        <translation>This strategy needs a team Cute total of at least %1; the best team possible has only %2.</translation>
    </message>
    <message>
        <source>达到“可爱”要求的队伍按这个策略得分都是 0：试试轮数更多或承受暴击更少的策略。</source>
        <translation>Every team that reaches the Cute total scores 0 under this strategy: try one with more rounds or fewer crits.</translation>
    </message>
    <message numerus="yes">
        <source>只有 %n 位英雄可以组队（带队英雄，和已勾选、“可爱”大于 0 的英雄），一队要 6 位。</source>
        <translation>
            <numerusform>Only %n hero can join a team (the leader, and checked heroes with Cute above 0); a team needs 6.</numerusform>
            <numerusform>Only %n heroes can join a team (the leader, and checked heroes with Cute above 0); a team needs 6.</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>PlanOutput</name>
    <message>
        <source>名称	聪明	可爱	不正常</source>
        <translation>Name	Smart	Cute	Abnormal</translation>
    </message>
    <message>
        <source>英雄属性总值: </source>
        <translation>Stat totals: </translation>
    </message>
    <message>
        <source>英雄每次伤害值: </source>
        <translation>Hero damage per hit: </translation>
    </message>
    <message>
        <source>病毒常规伤害值: </source>
        <translation>Virus regular damage: </translation>
    </message>
    <message>
        <source>病毒暴击伤害值: </source>
        <translation>Virus crit damage: </translation>
    </message>
</context>
<context>
    <name>PlanTexts</name>
    <message>
        <source>%d～%d</source>
        <translation>%d~%d</translation>
    </message>
    <message>
        <source>第%02d关&#x3000;%s&#x3000;%d/%d/%d</source>
        <translation>Level %02d  %s  %d/%d/%d</translation>
    </message>
    <message>
        <source>%d轮击败病毒, 最多承受 %d次暴击, 获胜机率:%5.1f%%</source>
        <translation>%d-round win, crits ≤ %d, win chance:%5.1f%%</translation>
    </message>
    <message>
        <source>&lt;--未选择英雄</source>
        <translation>&lt;-- no leader chosen</translation>
    </message>
    <message>
        <source>、</source>
        <translation>, </translation>
    </message>
    <message>
        <source>可行性指数(基于100): </source>
        <translation>Feasibility (base 100): </translation>
    </message>
    <message>
        <source>请先在主窗口选择攻击目标、带队英雄和战斗策略。</source>
        <translation>First choose a target, a leader and a strategy in the main window.</translation>
    </message>
    <message>
        <source>英雄三围: %d/%d/%d</source>
        <translation>Stats: %d/%d/%d</translation>
    </message>
    <message>
        <source>组队方案</source>
        <translation>Team plan</translation>
    </message>
    <message>
        <source>正在寻找组队方案</source>
        <translation>Searching for a team plan</translation>
    </message>
    <message>
        <source>没有可行的组队方案</source>
        <translation>No feasible team plan</translation>
    </message>
</context>
<context>
    <name>RaidPlanCommand</name>
    <message>
        <source>第%1名</source>
        <translation>Rank %1</translation>
    </message>
    <message>
        <source>第%1关</source>
        <translation>Level %1</translation>
    </message>
    <message>
        <source>关卡</source>
        <translation>Level</translation>
    </message>
    <message>
        <source>领队 %1 的全区概览: 可行性指数(基于100), 列为 轮数/暴击数, - 为没有可行的组队方案</source>
        <translation>Zone overview for leader %1: feasibility (base 100), columns are rounds/crits, - is no feasible team plan</translation>
    </message>
    <message>
        <source>第%1队, 领队 %2</source>
        <translation>Team %1, leader %2</translation>
    </message>
</context>
<context>
    <name>RecordTexts</name>
    <message>
        <source>已勾选</source>
        <translation>checked</translation>
    </message>
    <message>
        <source>未勾选</source>
        <translation>unchecked</translation>
    </message>
    <message>
        <source>第 %1 位&#x3000;%2&#x3000;聪明/可爱/不正常 %3/%4/%5&#x3000;%6</source>
        <translation>No. %1  %2  Smart/Cute/Abnormal %3/%4/%5  %6</translation>
    </message>
    <message>
        <source>第%1关&#x3000;%2&#x3000;愚蠢/可恨/不异常 %3/%4/%5</source>
        <translation>Level %1  %2  Stupid/Hateful/Normal %3/%4/%5</translation>
    </message>
</context>
<context>
    <name>RosterCsv</name>
    <message>
        <source>“%1”</source>
        <translation>&quot;%1&quot;</translation>
    </message>
    <message>
        <source>、</source>
        <translation>, </translation>
    </message>
    <message>
        <source>文件以 UTF-16 的字节顺序标记开头，但后面不是有效的 UTF-16 文本。</source>
        <translation>The file starts with a UTF-16 byte-order mark, but what follows is not valid UTF-16 text.</translation>
    </message>
    <message>
        <source>文件既不是 UTF-8 也不是 GB18030 编码的文本。</source>
        <translation>The file is neither UTF-8 nor GB18030 text.</translation>
    </message>
    <message>
        <source>文件是空的：第一行应是表头 %1。</source>
        <translation>The file is empty: its first line should be the heading %1.</translation>
    </message>
    <message>
        <source>第 %1 行：字段之间用的是分号（;），不是逗号。请在表格程序里另存为以逗号分隔的 CSV 文件。</source>
        <translation>Line %1: the fields are separated by semicolons (;), not commas. Save the file as comma-separated CSV in your spreadsheet program.</translation>
    </message>
    <message>
        <source>第 %1 行：引号没有结束，文件从这里到结尾都在一个字段里。</source>
        <translation>Line %1: a quote is never closed, so the rest of the file is one field.</translation>
    </message>
    <message>
        <source>第 %1 行第 %2 列：结束引号后面还有文字；结束引号后应是分隔符或行尾。</source>
        <translation>Line %1, column %2: text after a closing quote; a closing quote must be followed by a separator or the end of the line.</translation>
    </message>
    <message>
        <source>第 %1 行第 %2 列：没有引号括起的字段里有引号；含引号的字段应整个放在引号里，里面的引号写两遍。</source>
        <translation>Line %1, column %2: a quote in an unquoted field; a field with quotes must be quoted whole, with each quote inside it doubled.</translation>
    </message>
    <message>
        <source>第 %1 行：不认识的列 %2，已略过。</source>
        <translation>Line %1: unknown column %2, skipped.</translation>
    </message>
    <message>
        <source>第 %1 行：“%2”列出现了不止一次。</source>
        <translation>Line %1: the column &quot;%2&quot; appears more than once.</translation>
    </message>
    <message>
        <source>第 %1 行：表头 %2 是乱码：这是 UTF-8 文件被当作另一种编码（如 Windows-1252）读入后又保存的样子。请用原文件，或在表格程序里以 UTF-8 编码打开原文件后再保存。</source>
        <translation>Line %1: the heading %2 is garbled: a UTF-8 file looks like this after it was read as another encoding (such as Windows-1252) and saved. Use the original file, or open the original as UTF-8 in your spreadsheet program and save it again.</translation>
    </message>
    <message>
        <source>第 %1 行：缺少%2列（表头应为 %3）。</source>
        <translation>Line %1: missing columns: %2 (the heading should be %3).</translation>
    </message>
    <message>
        <source>第 %1 行：有 %2 个字段，比表头的 %3 个多。</source>
        <translation>Line %1: %2 fields, more than the %3 of the heading.</translation>
    </message>
    <message numerus="yes">
        <source>第 %1 行：只有 %n 个字段，缺少 %3 的值。</source>
        <translation>
            <numerusform>Line %1: only %n field; no value for %3.</numerusform>
            <numerusform>Line %1: only %n fields; no value for %3.</numerusform>
        </translation>
    </message>
    <message>
        <source>第 %1 行，“%2”列：%3</source>
        <translation>Line %1, column &quot;%2&quot;: %3</translation>
    </message>
    <message>
        <source>%1 不是 1 至 %2 的整数。</source>
        <translation>%1 is not a whole number from 1 to %2.</translation>
    </message>
    <message>
        <source>%1 %2 在第 %3 行已经出现过。</source>
        <translation>%1 %2 already appears on line %3.</translation>
    </message>
    <message>
        <source>%1：名称里不能有空字符（␀）。</source>
        <translation>%1: a name cannot hold a null character (␀).</translation>
    </message>
    <message>
        <source>%1 太长：名称最多 %2 个字符（表情符号等算两个）。</source>
        <translation>%1 is too long: a name has at most %2 characters (an emoji counts as two).</translation>
    </message>
    <message>
        <source>%1 应为 1（勾选）或 0（不勾选）。</source>
        <translation>%1 should be 1 (checked) or 0 (unchecked).</translation>
    </message>
    <message>
        <source>%1 不是 0 至 %2 的整数。</source>
        <translation>%1 is not a whole number from 0 to %2.</translation>
    </message>
    <message>
        <source>文件里只有表头，没有数据行。</source>
        <translation>The file has only the heading, no data rows.</translation>
    </message>
    <message>
        <source>文件有 %1 字节，超过了 1 MB（%2 字节）的上限。</source>
        <translation>The file has %1 bytes, over the limit of 1 MB (%2 bytes).</translation>
    </message>
    <message>
        <source>文件超过了 1 MB（%1 字节）的上限。</source>
        <translation>The file is over the limit of 1 MB (%1 bytes).</translation>
    </message>
    <message>
        <source>写入失败</source>
        <translation>Write failed</translation>
    </message>
</context>
<context>
    <name>RosterCsvHeading</name>
    <message>
        <source>序号</source>
        <translation>No.</translation>
    </message>
    <message>
        <source>名称</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>勾选</source>
        <translation>Checked</translation>
    </message>
    <message>
        <source>聪明</source>
        <translation>Smart</translation>
    </message>
    <message>
        <source>可爱</source>
        <translation>Cute</translation>
    </message>
    <message>
        <source>不正常</source>
        <translation>Abnormal</translation>
    </message>
    <message>
        <source>关卡</source>
        <translation>Level</translation>
    </message>
    <message>
        <source>愚蠢</source>
        <translation>Stupid</translation>
    </message>
    <message>
        <source>可恨</source>
        <translation>Hateful</translation>
    </message>
    <message>
        <source>不异常</source>
        <translation>Normal</translation>
    </message>
</context>
<context>
    <name>RosterMenu</name>
    <message>
        <source>CSV 文件 (*.csv);;所有文件 (*)</source>
        <translation>CSV files (*.csv);;All files (*)</translation>
    </message>
    <message>
        <source>花名册(&amp;R)</source>
        <translation>&amp;Roster</translation>
    </message>
    <message>
        <source>导入英雄(&amp;I)…</source>
        <translation>&amp;Import heroes…</translation>
    </message>
    <message>
        <source>导出英雄(&amp;E)…</source>
        <translation>&amp;Export heroes…</translation>
    </message>
    <message>
        <source>导入病毒(&amp;V)…</source>
        <translation>Import &amp;viruses…</translation>
    </message>
    <message>
        <source>导出病毒(&amp;X)…</source>
        <translation>E&amp;xport viruses…</translation>
    </message>
    <message>
        <source>无法读取文件“%1”：%2</source>
        <translation>Cannot read the file &quot;%1&quot;: %2</translation>
    </message>
    <message numerus="yes">
        <source>……还有 %n 个问题。</source>
        <translation>
            <numerusform>…and %n more problem.</numerusform>
            <numerusform>…and %n more problems.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>文件“%1”有 %n 个问题，没有导入，表格保持原样：

%2</source>
        <translation>
            <numerusform>The file &quot;%1&quot; has %n problem and was not imported; the table is unchanged:

%2</numerusform>
            <numerusform>The file &quot;%1&quot; has %n problems and was not imported; the table is unchanged:

%2</numerusform>
        </translation>
    </message>
    <message>
        <source>导入英雄</source>
        <translation>Import heroes</translation>
    </message>
    <message numerus="yes">
        <source>读入了 %n 位英雄，请在编辑窗口里查看后确定。</source>
        <translation>
            <numerusform>Read %n hero; check it in the editor, then confirm.</numerusform>
            <numerusform>Read %n heroes; check them in the editor, then confirm.</numerusform>
        </translation>
    </message>
    <message>
        <source>导入病毒</source>
        <translation>Import viruses</translation>
    </message>
    <message numerus="yes">
        <source>读入了 %n 个病毒，请在编辑窗口里查看后确定。</source>
        <translation>
            <numerusform>Read %n virus; check it in the editor, then confirm.</numerusform>
            <numerusform>Read %n viruses; check them in the editor, then confirm.</numerusform>
        </translation>
    </message>
    <message>
        <source>无法保存“%1”：%2</source>
        <translation>Cannot save &quot;%1&quot;: %2</translation>
    </message>
    <message>
        <source>导出英雄</source>
        <translation>Export heroes</translation>
    </message>
    <message>
        <source>英雄.csv</source>
        <translation>heroes.csv</translation>
    </message>
    <message numerus="yes">
        <source>已把 %n 位英雄导出到：
%1</source>
        <translation>
            <numerusform>Exported %n hero to:
%1</numerusform>
            <numerusform>Exported %n heroes to:
%1</numerusform>
        </translation>
    </message>
    <message>
        <source>导出病毒</source>
        <translation>Export viruses</translation>
    </message>
    <message>
        <source>病毒.csv</source>
        <translation>viruses.csv</translation>
    </message>
    <message numerus="yes">
        <source>已把 %n 个病毒导出到：
%1</source>
        <translation>
            <numerusform>Exported %n virus to:
%1</numerusform>
            <numerusform>Exported %n viruses to:
%1</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>SaveFailurePrompt</name>
    <message>
        <source>上次退出时保留了无法读取的数据文件，当时已确认的修改没有写入数据文件，保存在恢复文件
%1
中。

要恢复这些修改吗？选择“丢弃”将删除恢复文件。</source>
        <translation>At the last exit a data file that could not be read was kept; the changes confirmed then were not written to the data files but kept in the recovery file
%1

Restore these changes? &quot;Discard&quot; deletes the recovery file.</translation>
    </message>
    <message>
        <source>上次运行没有正常结束，恢复文件
%1
中保存着当时已确认、但尚未写入数据文件的修改。

要恢复这些修改吗？选择“丢弃”将删除恢复文件。</source>
        <translation>The last run did not end normally. The recovery file
%1
holds changes confirmed then but not yet written to the data files.

Restore these changes? &quot;Discard&quot; deletes the recovery file.</translation>
    </message>
    <message>
        <source>本次以只读方式打开了数据文件，修改不能保存到正被另一个程序使用的文件夹。

选择“另存到其他文件夹”把两个数据文件保存到您选择的文件夹；选择“放弃修改”将丢失这些修改。</source>
        <translation>This run opened the data files read-only: changes cannot be saved into a folder another program is using.

Choose &quot;Save to another folder…&quot; to save both data files into a folder you choose, or &quot;Discard changes&quot; to lose these changes.</translation>
    </message>
    <message>
        <source>所选文件夹中已经有数据文件：

%1

替换后，这些文件中原有的英雄或病毒信息将会丢失。要替换它们吗？</source>
        <translation>The chosen folder already holds data files:

%1

Replacing them loses the heroes or viruses they hold. Replace them?</translation>
    </message>
    <message>
        <source>替换</source>
        <translation>Replace</translation>
    </message>
    <message>
        <source>另选文件夹</source>
        <translation>Choose another folder</translation>
    </message>
    <message>
        <source>%1
原因：%2</source>
        <translation>%1
Reason: %2</translation>
    </message>
    <message>
        <source>选择保存数据文件的文件夹</source>
        <translation>Choose a folder for the data files</translation>
    </message>
    <message>
        <source>放弃保存将丢失本次对英雄和病毒信息的全部修改。
确定要放弃这些修改吗？</source>
        <translation>Not saving loses all of this run&apos;s changes to the heroes and viruses.
Discard these changes?</translation>
    </message>
    <message>
        <source>放弃修改</source>
        <translation>Discard changes</translation>
    </message>
    <message>
        <source>返回</source>
        <translation>Back</translation>
    </message>
    <message>
        <source>无法保存以下数据文件，本次对英雄或病毒信息的修改尚未保存：</source>
        <translation>Could not save these data files; this run&apos;s changes to the heroes or viruses are not saved yet:</translation>
    </message>
    <message>
        <source>选择“重试”再次保存（可先排除上述原因）；选择“另存到其他文件夹”把两个数据文件保存到您选择的文件夹；选择“放弃修改”将丢失这些修改。</source>
        <translation>Choose &quot;Retry&quot; to save again (after removing the cause above), &quot;Save to another folder…&quot; to save both data files into a folder you choose, or &quot;Discard changes&quot; to lose these changes.</translation>
    </message>
    <message>
        <source>另存到其他文件夹…</source>
        <translation>Save to another folder…</translation>
    </message>
    <message>
        <source>无法读取以下数据文件，本次将使用默认的英雄或病毒信息：</source>
        <translation>Could not read these data files; this run uses the default heroes or viruses:</translation>
    </message>
    <message>
        <source>退出时，程序会先询问是否替换无法读取的文件。</source>
        <translation>On quitting, the program asks before it replaces a file it could not read.</translation>
    </message>
    <message>
        <source>启动时无法读取数据文件
%1
本次显示和修改的是默认信息。用它替换这个文件，文件中原有的信息将会丢失。

要保留原文件吗？（本次的修改会留在恢复文件中，下次启动时可以恢复。）</source>
        <translation>The data file
%1
could not be read at start-up; this run showed and changed the defaults. Replacing the file with them loses what it held.

Keep the original file? (This run&apos;s changes stay in the recovery file and can be restored at the next start.)</translation>
    </message>
    <message>
        <source>保留原文件</source>
        <translation>Keep original</translation>
    </message>
    <message>
        <source>恢复</source>
        <translation>Restore</translation>
    </message>
    <message>
        <source>丢弃</source>
        <translation>Discard</translation>
    </message>
</context>
<context>
    <name>SelectDialogChoice</name>
    <message>
        <source>选中</source>
        <translation>Check</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>Clear</translation>
    </message>
</context>
<context>
    <name>SharedFolderPrompts</name>
    <message>
        <source>另一个程序（无法读出它的进程号和主机）</source>
        <translation>another program (its process ID and host cannot be read)</translation>
    </message>
    <message>
        <source>未知程序</source>
        <translation>unknown program</translation>
    </message>
    <message>
        <source>程序 %1（进程号 %2，主机 %3）</source>
        <translation>the program %1 (process %2, host %3)</translation>
    </message>
    <message>
        <source>未知</source>
        <translation>unknown</translation>
    </message>
    <message>
        <source>本次：%1
文件：%2</source>
        <translation>This run: %1
File: %2</translation>
    </message>
    <message>
        <source>文件夹
%1
正由%2使用。同一个文件夹同时只能由一个窗口修改。

选择“只读打开”可以查看和组队，但退出时不会写入这个文件夹；选择“退出”则不打开。</source>
        <translation>The folder
%1
is in use by %2. Only one window at a time can change a folder.

Choose &quot;Open read-only&quot; to view and plan without writing to this folder at exit, or &quot;Quit&quot; not to open it.</translation>
    </message>
    <message>
        <source>只读打开</source>
        <translation>Open read-only</translation>
    </message>
    <message>
        <source>退出</source>
        <translation>Quit</translation>
    </message>
    <message numerus="yes">
        <source>……还有 %n 条。</source>
        <translation>
            <numerusform>…and %n more record.</numerusform>
            <numerusform>…and %n more records.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>本次运行期间，另一个程序修改了数据文件
%1
其他改动已经合并。以下 %n 条记录双方都改了，而且改得不同：

%2

选择“保留两者”：文件中保留另一个程序的版本，本次的版本另存到
%3
选择“用本次的版本”或“用文件中的版本”则只保留一方。</source>
        <translation>
            <numerusform>While this run was open, another program changed the data file
%1
Its other changes have been merged. %n record was changed by both, differently:

%2

Choose &quot;Keep both&quot; to keep the other program&apos;s version in the file and save this run&apos;s version to
%3
Choose &quot;Use this run&apos;s version&quot; or &quot;Use the file&apos;s version&quot; to keep only one.</numerusform>
            <numerusform>While this run was open, another program changed the data file
%1
Its other changes have been merged. %n records were changed by both, differently:

%2

Choose &quot;Keep both&quot; to keep the other program&apos;s version in the file and save this run&apos;s version to
%3
Choose &quot;Use this run&apos;s version&quot; or &quot;Use the file&apos;s version&quot; to keep only one.</numerusform>
        </translation>
    </message>
    <message>
        <source>保留两者</source>
        <translation>Keep both</translation>
    </message>
    <message>
        <source>用本次的版本</source>
        <translation>Use this run&apos;s version</translation>
    </message>
    <message>
        <source>用文件中的版本</source>
        <translation>Use the file&apos;s version</translation>
    </message>
</context>
<context>
    <name>SheetCells</name>
    <message numerus="yes">
        <source>粘贴的内容超出了表格的边界，超出的 %n 个单元格没有粘贴。</source>
        <translation>
            <numerusform>The pasted block ran past the table&apos;s edge; %n cell beyond it was not pasted.</numerusform>
            <numerusform>The pasted block ran past the table&apos;s edge; %n cells beyond it were not pasted.</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>TitledBanner</name>
    <message>
        <source>青梧药庐</source>
        <translation>Qingwu Apothecary</translation>
    </message>
    <message>
        <source>公会疫区 · 组队助手</source>
        <translation>Guild plague zone · Team planner</translation>
    </message>
</context>
<context>
    <name>VirusTableModel</name>
    <message>
        <source>名称</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>愚蠢</source>
        <translation>Stupid</translation>
    </message>
    <message>
        <source>可恨</source>
        <translation>Hateful</translation>
    </message>
    <message>
        <source>不异常</source>
        <translation>Normal</translation>
    </message>
</context>
<context>
    <name>ZoneOverviewModel</name>
    <message>
        <source>&lt; 50</source>
        <translation>&lt; 50</translation>
    </message>
    <message>
        <source>50–99</source>
        <translation>50–99</translation>
    </message>
    <message>
        <source>100–999</source>
        <translation>100–999</translation>
    </message>
    <message>
        <source>1000–100万</source>
        <translation>1K–1M</translation>
    </message>
    <message>
        <source>100万–1000万</source>
        <translation>1M–10M</translation>
    </message>
    <message>
        <source>1000万–1亿</source>
        <translation>10M–100M</translation>
    </message>
    <message>
        <source>1亿–10亿</source>
        <translation>100M–1B</translation>
    </message>
    <message>
        <source>≥ 10亿</source>
        <translation>≥ 1B</translation>
    </message>
    <message>
        <source>万,亿,万亿</source>
        <extracomment>The units of 10^4, 10^8 and 10^12, comma-separated. A language that counts in thousands gives its four units of 10^3, 10^6, 10^9 and 10^12 instead, e.g. &quot;K,M,B,T&quot;; the cells then count in thousands.</extracomment>
        <translation>K,M,B,T</translation>
    </message>
    <message>
        <source>英雄属性总值: %1</source>
        <translation>Stat totals: %1</translation>
    </message>
    <message>
        <source>%1轮/%2暴</source>
        <translation>%1R/%2C</translation>
    </message>
</context>
</TS>
