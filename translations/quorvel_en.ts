<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="zh_CN">
<context>
    <name>CAdviceWindow</name>
    <message>
        <source>培养建议</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>取消</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>带队英雄: %1&#x3000;%2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>正在计算…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>计算已取消 (灰色的是上一次的结果)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>计算已取消</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CExcludeHeroesDlg</name>
    <message>
        <source>排除英雄重新组队</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>勾选要排除的英雄（空格键勾选）：</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>排除并重新组队</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CQuorvelDlg</name>
    <message>
        <source>培养建议(&amp;A)…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>自选队伍(&amp;K)…</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CTeamCheckWindow</name>
    <message>
        <source>自选队伍</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>输入名字查找</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>第1位 (带队):</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>第%1位:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>改用最佳方案的队伍(&amp;B)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>同一请求的最佳方案</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>队伍 (带队在前):</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>英雄属性总值:</source>
        <translation>Stat totals:</translation>
    </message>
    <message>
        <source>英雄伤害:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>病毒伤害:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>暴击伤害:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>可行性指数(基于100):</source>
        <translation>Feasibility (base 100):</translation>
    </message>
    <message>
        <source>生命余量:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>伤害余量:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>可爱门槛:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> (未选中)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>请先在主窗口选择攻击目标和战斗策略。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>还要选 %1 位英雄</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>每位英雄只能选一次</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>主窗口选定攻击目标、带队英雄和战斗策略后才有最佳方案</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>正在计算…</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CopiedNotice</name>
    <message>
        <source>已复制到剪贴板</source>
        <translation type="unfinished"></translation>
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
        <translation>Viruses…</translation>
    </message>
    <message>
        <source>带队英雄:</source>
        <translation>Leader:</translation>
    </message>
    <message>
        <source>编辑英雄信息</source>
        <translation>Heroes…</translation>
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
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>上一关或下一关，并立即查看组队方案</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>换一个战斗策略</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>上一个或下一个战斗策略，并立即查看组队方案</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>几轮击败病毒、最多承受几次暴击，以及这样获胜的机率</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>可行性指数</source>
        <translation>Feasibility</translation>
    </message>
    <message>
        <source>以 100 为基准：100 以上可以按这个策略获胜，越大越稳妥</source>
        <translation type="unfinished"></translation>
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
    <name>PlanHints</name>
    <message>
        <source>还没有英雄的属性。从“花名册”菜单导入花名册 CSV，或点“编辑英雄信息”填写英雄，“编辑病毒信息”填写各关的病毒。</source>
        <translation>No hero has stats yet. Import a roster CSV from the &quot;Roster&quot; menu, or click &quot;Edit heroes&quot; to fill in the heroes and &quot;Edit viruses&quot; for each level&apos;s virus.</translation>
    </message>
    <message>
        <source>只有 %1 位英雄可以组队（带队英雄，和已勾选、“可爱”大于 0 的英雄），一队要 6 位。</source>
        <translation>Only %1 heroes can join a team (the leader, and checked heroes with Cute above 0); a team needs 6.</translation>
    </message>
    <message>
        <source>这个策略要求队伍“可爱”总值至少 %1，能组成的队伍最多只有 %2。</source>
        <translation>This strategy needs a team Cute total of at least %1; the best team possible has only %2.</translation>
    </message>
    <message>
        <source>达到“可爱”要求的队伍按这个策略得分都是 0：试试轮数更多或承受暴击更少的策略。</source>
        <translation>Every team that reaches the Cute total scores 0 under this strategy: try one with more rounds or fewer crits.</translation>
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
        <translation>%d rounds, up to %d crits, win chance:%5.1f%%</translation>
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
    <name>SaveFailurePrompt</name>
    <message>
        <source>上次退出时保留了无法读取的数据文件，当时已确认的修改没有写入数据文件，保存在恢复文件
%1
中。

要恢复这些修改吗？选择“丢弃”将删除恢复文件。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>上次运行没有正常结束，恢复文件
%1
中保存着当时已确认、但尚未写入数据文件的修改。

要恢复这些修改吗？选择“丢弃”将删除恢复文件。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>本次以只读方式打开了数据文件，修改不能保存到正被另一个程序使用的文件夹。

选择“另存到其他文件夹”把两个数据文件保存到您选择的文件夹；选择“放弃修改”将丢失这些修改。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>所选文件夹中已经有数据文件：

%1

替换后，这些文件中原有的英雄或病毒信息将会丢失。要替换它们吗？</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>替换</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>另选文件夹</source>
        <translation type="unfinished"></translation>
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
</TS>
