<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="ja">
<context>
    <name>DesignSheet</name>
    <message>
        <source>設計シート</source>
        <translation>Design sheet</translation>
    </message>
    <message>
        <source>尺度 1:%1（単位 mm）</source>
        <translation>Scale 1:%1 (mm)</translation>
    </message>
    <message>
        <source>設計値 (mm)</source>
        <translation>Design values (mm)</translation>
    </message>
    <message>
        <source>特性値</source>
        <translation>Figures</translation>
    </message>
    <message>
        <source>伝達角</source>
        <translation>Transmission angle</translation>
    </message>
    <message>
        <source>角度 (°)</source>
        <translation>Angle (°)</translation>
    </message>
    <message>
        <source>てこの角度とスライダの位置</source>
        <translation>Lever angle and slider position</translation>
    </message>
    <message>
        <source>位置 (mm)</source>
        <translation>Position (mm)</translation>
    </message>
    <message>
        <source>てこの角度</source>
        <translation>Lever angle</translation>
    </message>
    <message>
        <source>スライダの位置</source>
        <translation>Slider position</translation>
    </message>
    <message>
        <source>速さ</source>
        <translation>Speeds</translation>
    </message>
    <message>
        <source>mm/s</source>
        <translation>mm/s</translation>
    </message>
    <message>
        <source>4節リンク出力点</source>
        <translation>Four-bar output point</translation>
    </message>
    <message>
        <source>スライダ</source>
        <translation>Slider</translation>
    </message>
    <message>
        <source>加速度</source>
        <translation>Accelerations</translation>
    </message>
    <message>
        <source>mm/s²</source>
        <translation>mm/s²</translation>
    </message>
    <message>
        <source>入力トルク（スライダの力 1 N あたり）</source>
        <translation>Input torque (per 1 N of slider force)</translation>
    </message>
    <message>
        <source>N·mm/N</source>
        <translation>N·mm/N</translation>
    </message>
    <message>
        <source>入力トルク</source>
        <translation>Input torque</translation>
    </message>
    <message>
        <source>運動学</source>
        <translation>Kinematics</translation>
    </message>
    <message>
        <source>クランク %1 rpm、横軸はクランク角 (°)</source>
        <translation>Crank at %1 rpm; across: crank angle (°)</translation>
    </message>
</context>
<context>
    <name>FileDialogs</name>
    <message>
        <source>Bitmap画像データ(*.BMP)</source>
        <translation>Bitmap image (*.BMP)</translation>
    </message>
    <message>
        <source>Gyrenda数値データ(*.GYR)</source>
        <translation>Gyrenda numeric data (*.GYR)</translation>
    </message>
    <message>
        <source>PNG画像(*.png)</source>
        <translation>PNG image (*.png)</translation>
    </message>
    <message>
        <source>SVG図面(*.svg)</source>
        <translation>SVG drawing (*.svg)</translation>
    </message>
    <message>
        <source>DXF図面(*.dxf)</source>
        <translation>DXF drawing (*.dxf)</translation>
    </message>
    <message>
        <source>すべてのファイル (*)</source>
        <translation>All files (*)</translation>
    </message>
    <message>
        <source>使えるプリンタがありません。</source>
        <translation>No printer is available.</translation>
    </message>
    <message>
        <source>プリンタに印刷を始められませんでした。</source>
        <translation>The printer could not start printing.</translation>
    </message>
    <message>
        <source>プリンタがエラーを返しました。</source>
        <translation>The printer reported an error.</translation>
    </message>
</context>
<context>
    <name>LanguageMenu</name>
    <message>
        <source>表示言語 / Language</source>
        <translation>Language</translation>
    </message>
    <message>
        <source>デスクトップに合わせる</source>
        <translation>As the desktop</translation>
    </message>
    <message>
        <source>表示言語の設定を保存できませんでした。</source>
        <translation>The language setting could not be saved.</translation>
    </message>
    <message>
        <source>表示言語は次に起動したときから変わります。</source>
        <translation>The language changes the next time Gyrenda starts.</translation>
    </message>
</context>
<context>
    <name>Messages</name>
    <message>
        <source>このリンクは実現できないと思う。</source>
        <translation>I don&apos;t think this linkage can be built.</translation>
    </message>
    <message>
        <source>test</source>
        <translation>test</translation>
    </message>
    <message>
        <source>good bye</source>
        <translation>good bye</translation>
    </message>
    <message>
        <source>「%1」を保存できませんでした。
%2</source>
        <translation>Could not save “%1”.
%2</translation>
    </message>
    <message>
        <source>画像を作れませんでした。</source>
        <translation>The image could not be made.</translation>
    </message>
    <message>
        <source>印刷できませんでした。
%1</source>
        <translation>Could not print.
%1</translation>
    </message>
    <message>
        <source>フォルダがありません。</source>
        <translation>The folder does not exist.</translation>
    </message>
    <message>
        <source>書き込みの権限がありません。</source>
        <translation>You have no permission to write there.</translation>
    </message>
    <message>
        <source>ディスクがいっぱいです。</source>
        <translation>The disk is full.</translation>
    </message>
    <message>
        <source>名前が長すぎます。</source>
        <translation>The name is too long.</translation>
    </message>
    <message>
        <source>読み取り専用のファイルシステムです。</source>
        <translation>The file system is read-only.</translation>
    </message>
    <message>
        <source>同じ名前のフォルダがあります。</source>
        <translation>There is a folder of that name.</translation>
    </message>
    <message>
        <source>読み出すプログラムがありません。</source>
        <translation>No program is reading from it.</translation>
    </message>
    <message>
        <source>読み出すプログラムが途中で終わりました。</source>
        <translation>The program reading from it ended before the end.</translation>
    </message>
    <message>
        <source>読み出すプログラムが読み取りません。</source>
        <translation>The program reading from it does not read.</translation>
    </message>
    <message>
        <source>この種類のファイルには保存できません。</source>
        <translation>This kind of file cannot be saved to.</translation>
    </message>
    <message>
        <source>シンボリックリンクが循環しています。</source>
        <translation>The symbolic links go round in a loop.</translation>
    </message>
    <message>
        <source>「%1」はGyrenda数値データとして読み込めませんでした。</source>
        <translation>“%1” could not be read as Gyrenda numeric data.</translation>
    </message>
    <message>
        <source>使えるプリンタがありません。PDFファイルへの印刷を選べます。</source>
        <translation>No printer is available. You can choose to print to a PDF file.</translation>
    </message>
    <message>
        <source>Gyrendaの数値データファイルではないか、パラメータの行が途中で切れているか正しくありません。</source>
        <translation>It is not a Gyrenda data file, or its parameter line is cut short or invalid.</translation>
    </message>
    <message>
        <source>ふつうのファイルではありません。</source>
        <translation>It is not a regular file.</translation>
    </message>
    <message>
        <source>ファイルがありません。</source>
        <translation>The file does not exist.</translation>
    </message>
    <message>
        <source>読み取りの権限がありません。</source>
        <translation>You have no permission to read it.</translation>
    </message>
    <message>
        <source>機構全体を表示できる画面がありません。
いちばん広い画面からも %1 mm はみ出します。</source>
        <translation>No view holds the whole mechanism.
It reaches %1 mm beyond even the widest view.</translation>
    </message>
</context>
<context>
    <name>ParameterNames</name>
    <message>
        <source>クランク半径</source>
        <translation>Crank radius</translation>
    </message>
    <message>
        <source>てこ半径</source>
        <translation>Lever radius</translation>
    </message>
    <message>
        <source>中間節長さ</source>
        <translation>Coupler length</translation>
    </message>
    <message>
        <source>静止節長さ</source>
        <translation>Fixed link length</translation>
    </message>
    <message>
        <source>4節リンク出力点X軸補正</source>
        <translation>Four-bar output point X offset</translation>
    </message>
    <message>
        <source>4節リンク出力点Y軸補正</source>
        <translation>Four-bar output point Y offset</translation>
    </message>
    <message>
        <source>6節リンクの中間節長さ</source>
        <translation>Six-bar coupler length</translation>
    </message>
    <message>
        <source>6節リンク出力点X軸補正</source>
        <translation>Six-bar output point X offset</translation>
    </message>
    <message>
        <source>6節リンク出力点Y軸補正</source>
        <translation>Six-bar output point Y offset</translation>
    </message>
    <message>
        <source>スライド始点X</source>
        <translation>Slide start X</translation>
    </message>
    <message>
        <source>スライド始点Y</source>
        <translation>Slide start Y</translation>
    </message>
    <message>
        <source>スライド終点X</source>
        <translation>Slide end X</translation>
    </message>
    <message>
        <source>スライド終点Y</source>
        <translation>Slide end Y</translation>
    </message>
</context>
<context>
    <name>ReportRows</name>
    <message>
        <source>てこクランク（クランクが回転、てこが揺動）</source>
        <translation>Crank-rocker (the crank turns, the lever rocks)</translation>
    </message>
    <message>
        <source>両クランク（クランクもてこも回転）</source>
        <translation>Double crank (crank and lever both turn)</translation>
    </message>
    <message>
        <source>両てこ（中間節だけが回転）</source>
        <translation>Double rocker (only the coupler turns)</translation>
    </message>
    <message>
        <source>てこクランク（てこが回転、クランクは揺動）</source>
        <translation>Rocker-crank (the lever turns, the crank rocks)</translation>
    </message>
    <message>
        <source>三てこ（どの節も一回りしない）</source>
        <translation>Triple rocker (no link turns all the way round)</translation>
    </message>
    <message>
        <source>切替点（四節が一直線に並ぶ姿勢がある）</source>
        <translation>Change point (the four links can lie in one line)</translation>
    </message>
    <message>
        <source>組み立てられない（最長の節がほかの三つの和より長い）</source>
        <translation>Cannot be assembled (the longest link is longer than the other three together)</translation>
    </message>
    <message>
        <source>姿勢なし</source>
        <translation>no pose</translation>
    </message>
    <message>
        <source>軸点</source>
        <translation>joint</translation>
    </message>
    <message>
        <source>出力点</source>
        <translation>output point</translation>
    </message>
    <message>
        <source>%1：見つかった姿勢</source>
        <translation>%1: poses found</translation>
    </message>
    <message>
        <source>%1（調べたクランク角 %2）&#x3000;停止で中断</source>
        <translation>%1 (of %2 crank angles examined), stopped</translation>
    </message>
    <message>
        <source>%1（調べたクランク角 %2）</source>
        <translation>%1 (of %2 crank angles examined)</translation>
    </message>
    <message>
        <source>%1：精度 中央値</source>
        <translation>%1: accuracy, median</translation>
    </message>
    <message>
        <source>%1：精度 99%</source>
        <translation>%1: accuracy, 99%</translation>
    </message>
    <message>
        <source>%1：精度 最大</source>
        <translation>%1: accuracy, worst</translation>
    </message>
    <message>
        <source>%1（クランク角 %2°）</source>
        <translation>%1 (crank angle %2°)</translation>
    </message>
    <message>
        <source>%1：厳密解のない姿勢</source>
        <translation>%1: poses without an exact solution</translation>
    </message>
    <message>
        <source>%1：精度</source>
        <translation>%1: accuracy</translation>
    </message>
    <message>
        <source>見つかった %1 の姿勢のどれにも厳密な姿勢がありません</source>
        <translation>none of the %1 poses found has an exact pose</translation>
    </message>
    <message>
        <source>%1：%2の範囲 X, Y</source>
        <translation>%1: %2 range X, Y</translation>
    </message>
    <message>
        <source>%1：%2の範囲 X</source>
        <translation>%1: %2 range X</translation>
    </message>
    <message>
        <source>%1 ～ %2（幅 %3）</source>
        <translation>%1 to %2 (width %3)</translation>
    </message>
    <message>
        <source>%1：%2の範囲 Y</source>
        <translation>%1: %2 range Y</translation>
    </message>
    <message>
        <source>%1 ～ %2（高さ %3）</source>
        <translation>%1 to %2 (height %3)</translation>
    </message>
    <message>
        <source>%1°</source>
        <translation>%1°</translation>
    </message>
    <message>
        <source>死点のクランク角</source>
        <translation>Crank angles at dead centres</translation>
    </message>
    <message>
        <source>なし</source>
        <translation>none</translation>
    </message>
    <message>
        <source>、</source>
        <translation>, </translation>
    </message>
    <message>
        <source>一回りを通して閉じないので求めません</source>
        <translation>not given: the linkage does not close all the way round</translation>
    </message>
    <message>
        <source>てこの揺動角</source>
        <translation>Lever rocking angle</translation>
    </message>
    <message>
        <source>てこの早戻り比</source>
        <translation>Lever time ratio</translation>
    </message>
    <message>
        <source>スライダの行程（厳密）</source>
        <translation>Slider stroke (exact)</translation>
    </message>
    <message>
        <source>%1</source>
        <translation>%1</translation>
    </message>
    <message>
        <source>スライダの早戻り比</source>
        <translation>Slider time ratio</translation>
    </message>
    <message>
        <source>出力点の最大の速さ（%1 rpm）</source>
        <translation>Output point, top speed (%1 rpm)</translation>
    </message>
    <message>
        <source>%1 mm/s（クランク角 %2°）</source>
        <translation>%1 mm/s (crank angle %2°)</translation>
    </message>
    <message>
        <source>出力点の最大の加速度（%1 rpm）</source>
        <translation>Output point, peak acceleration (%1 rpm)</translation>
    </message>
    <message>
        <source>%1 mm/s²（クランク角 %2°）</source>
        <translation>%1 mm/s² (crank angle %2°)</translation>
    </message>
    <message>
        <source>スライダの最大の速さ（%1 rpm）</source>
        <translation>Slider, top speed (%1 rpm)</translation>
    </message>
    <message>
        <source>スライダの最大の加速度（%1 rpm）</source>
        <translation>Slider, peak acceleration (%1 rpm)</translation>
    </message>
    <message>
        <source>入力トルクの最大（スライダの力 1 N あたり）</source>
        <translation>Peak input torque (per 1 N of slider force)</translation>
    </message>
    <message>
        <source>%1 N·mm（クランク角 %2°）</source>
        <translation>%1 N·mm (crank angle %2°)</translation>
    </message>
    <message>
        <source>%1°（クランク角 %2°）</source>
        <translation>%1° (crank angle %2°)</translation>
    </message>
    <message>
        <source>%1 最小</source>
        <translation>%1, least</translation>
    </message>
    <message>
        <source>%1 最大</source>
        <translation>%1, greatest</translation>
    </message>
    <message>
        <source>リンクの種類</source>
        <translation>Kind of linkage</translation>
    </message>
    <message>
        <source>クランクの全回転</source>
        <translation>Crank turns all the way round</translation>
    </message>
    <message>
        <source>できる</source>
        <translation>yes</translation>
    </message>
    <message>
        <source>できない</source>
        <translation>no</translation>
    </message>
    <message>
        <source>伝達角</source>
        <translation>Transmission angle</translation>
    </message>
    <message>
        <source>伝達角（ラスタ）</source>
        <translation>Transmission angle (raster)</translation>
    </message>
    <message>
        <source>4節リンク</source>
        <translation>Four-bar</translation>
    </message>
    <message>
        <source>6節リンク</source>
        <translation>Six-bar</translation>
    </message>
    <message>
        <source>解析していません</source>
        <translation>not analysed</translation>
    </message>
    <message>
        <source>%1：スライダの行程（始点から）</source>
        <translation>%1: slider stroke (from the slide start)</translation>
    </message>
    <message>
        <source>%1 ～ %2（長さ %3）</source>
        <translation>%1 to %2 (length %3)</translation>
    </message>
    <message>
        <source>%1：画面の外で見つからなかった姿勢</source>
        <translation>%1: poses outside the view, not found</translation>
    </message>
    <message>
        <source>%1（表示 › 全体表示で機構全体が画面に入ります）</source>
        <translation>%1 (View › Fit brings the whole mechanism into view)</translation>
    </message>
</context>
<context>
    <name>ToleranceSheet</name>
    <message>
        <source>—</source>
        <translation>—</translation>
    </message>
    <message>
        <source>各値の公差 ± %1 mm</source>
        <translation>Tolerance of every value ± %1 mm</translation>
    </message>
    <message>
        <source>各値の公差は下の表のとおり</source>
        <translation>Tolerances of the values as in the table below</translation>
    </message>
    <message>
        <source>正規分布（σ = 公差/3）</source>
        <translation>normal distribution (σ = tolerance/3)</translation>
    </message>
    <message>
        <source>一様分布</source>
        <translation>uniform distribution</translation>
    </message>
    <message>
        <source>%1、ピンのすきま %2 mm、%3、乱数の種 %4</source>
        <translation>%1, pin clearance %2 mm, %3, seed %4</translation>
    </message>
    <message>
        <source>公称位置からのずれ（実線は95%、破線は最大）</source>
        <translation>Distance from the nominal place (solid: 95%, dashed: greatest)</translation>
    </message>
    <message>
        <source>mm</source>
        <translation>mm</translation>
    </message>
    <message>
        <source>4節リンク出力点</source>
        <translation>Four-bar output point</translation>
    </message>
    <message>
        <source>6節リンク出力点</source>
        <translation>Six-bar output point</translation>
    </message>
    <message>
        <source>スライダ</source>
        <translation>Slider</translation>
    </message>
    <message>
        <source>スライダの行程 (mm)</source>
        <translation>Slider stroke (mm)</translation>
    </message>
    <message>
        <source>てこの揺動角 (°)</source>
        <translation>Lever rocking angle (°)</translation>
    </message>
    <message>
        <source>最小伝達角 (°)</source>
        <translation>Least transmission angle (°)</translation>
    </message>
    <message>
        <source>公差解析</source>
        <translation>Tolerance analysis</translation>
    </message>
    <message>
        <source>サンプル %1</source>
        <translation>%1 samples</translation>
    </message>
    <message>
        <source>この設計はどのクランク角でも組み立てられないので、公差解析はできません。</source>
        <translation>This design cannot be assembled at any crank angle, so there is no tolerance analysis.</translation>
    </message>
    <message>
        <source>公差解析はできませんでした。</source>
        <translation>The tolerance analysis could not be made.</translation>
    </message>
    <message>
        <source>値のばらつき</source>
        <translation>Spread of the figures</translation>
    </message>
    <message>
        <source>項目</source>
        <translation>Figure</translation>
    </message>
    <message>
        <source>公称</source>
        <translation>Nominal</translation>
    </message>
    <message>
        <source>5%</source>
        <translation>5%</translation>
    </message>
    <message>
        <source>50%</source>
        <translation>50%</translation>
    </message>
    <message>
        <source>95%</source>
        <translation>95%</translation>
    </message>
    <message>
        <source>サンプル数</source>
        <translation>Samples</translation>
    </message>
    <message>
        <source>クランクが一回転しなくなるサンプル：%1 %</source>
        <translation>Samples whose crank no longer turns fully: %1 %</translation>
    </message>
    <message>
        <source>6節リンクの中間節がスライドに届かないクランク角があるサンプル：%1 %</source>
        <translation>Samples whose six-bar link misses the slide at some crank angle: %1 %</translation>
    </message>
    <message>
        <source>感度 (mm/mm)：値が 1 mm 変わったときの、1 回転中で最大の動き</source>
        <translation>Sensitivity (mm/mm): the largest movement over a turn when a value changes by 1 mm</translation>
    </message>
    <message>
        <source>順位</source>
        <translation>Rank</translation>
    </message>
    <message>
        <source>値</source>
        <translation>Value</translation>
    </message>
    <message>
        <source>公差 ±</source>
        <translation>Tolerance ±</translation>
    </message>
</context>
<context>
    <name>gyrenda::AnimationDialog</name>
    <message>
        <source>アニメーションを保存</source>
        <translation>Save animation</translation>
    </message>
    <message>
        <source>1コマのクランク角</source>
        <translation>Crank angle per frame</translation>
    </message>
    <message>
        <source>自動（1回転を約3秒）</source>
        <translation>Auto (one turn in about 3 s)</translation>
    </message>
    <message>
        <source>1コマの表示時間</source>
        <translation>Time per frame</translation>
    </message>
    <message>
        <source>キャンバスと同じ (%1 × %2)</source>
        <translation>As the canvas (%1 × %2)</translation>
    </message>
    <message>
        <source>半分 (%1 × %2)</source>
        <translation>Half (%1 × %2)</translation>
    </message>
    <message>
        <source>大きさ</source>
        <translation>Size</translation>
    </message>
    <message>
        <source>6節リンクも動かす</source>
        <translation>Move the six-bar too</translation>
    </message>
    <message>
        <source>繰り返し再生する</source>
        <translation>Loop</translation>
    </message>
    <message>
        <source>保存…</source>
        <translation>Save…</translation>
    </message>
    <message>
        <source>停止</source>
        <translation>Stop</translation>
    </message>
    <message>
        <source>閉じる</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>%1コマ</source>
        <translation>%1 frames</translation>
    </message>
    <message>
        <source>GIFアニメーション (*.gif)</source>
        <translation>Animated GIF (*.gif)</translation>
    </message>
    <message>
        <source>停止しました。ファイルは書いていません。</source>
        <translation>Stopped. No file was written.</translation>
    </message>
    <message>
        <source>保存しました。</source>
        <translation>Saved.</translation>
    </message>
    <message>
        <source>保存できませんでした。</source>
        <translation>Not saved.</translation>
    </message>
    <message>
        <source>機構全体が入る表示にする（全体表示）</source>
        <translation>In the view that holds the whole mechanism (Fit)</translation>
    </message>
</context>
<context>
    <name>gyrenda::ExamplesMenu</name>
    <message>
        <source>例を開く</source>
        <translation>Open example</translation>
    </message>
    <message>
        <source>標準の6節リンク</source>
        <translation>Default six-bar</translation>
    </message>
    <message>
        <source>起動時の設計：てこクランクの出力点がスライダを往復させる</source>
        <translation>The design the window opens with: the crank-rocker&apos;s output point drives a slider</translation>
    </message>
    <message>
        <source>歩行脚</source>
        <translation>Walking leg</translation>
    </message>
    <message>
        <source>足先がほぼ半回転のあいだ平らに地面をなぞる脚</source>
        <translation>A leg whose foot runs along a nearly straight line for almost half a turn</translation>
    </message>
    <message>
        <source>近似直線機構</source>
        <translation>Straight-line mechanism</translation>
    </message>
    <message>
        <source>出力点が軌跡の一部でほぼ直線を描く4節リンク</source>
        <translation>A four-bar whose output point draws a nearly straight line over part of its path</translation>
    </message>
    <message>
        <source>早戻りスライダ</source>
        <translation>Quick-return slider</translation>
    </message>
    <message>
        <source>行きと戻りの時間の比が約2のスライダ</source>
        <translation>A slider whose slow stroke takes about twice as long as its quick return</translation>
    </message>
    <message>
        <source>大ストロークのスライダ</source>
        <translation>Large-stroke slider</translation>
    </message>
    <message>
        <source>クランク半径の何倍もの距離を往復するスライダ</source>
        <translation>A slider that travels several times the crank radius</translation>
    </message>
    <message>
        <source>はばたき</source>
        <translation>Flapping</translation>
    </message>
    <message>
        <source>揺動角の小さいてこクランク：羽ばたく翼の動き</source>
        <translation>A crank-rocker with a small rocking angle: the motion of a flapping wing</translation>
    </message>
</context>
<context>
    <name>gyrenda::GaitPage</name>
    <message>
        <source>歩幅は 0 より大きい長さです。</source>
        <translation>The stride is a length above 0.</translation>
    </message>
    <message>
        <source>歩幅が、範囲内のどの機構の足先の軌跡よりも長すぎます（最大 %1 mm）。</source>
        <translation>The stride is longer than the foot path of any linkage within the ranges (%1 mm at most).</translation>
    </message>
    <message>
        <source>歩幅が、キャンバスの一画面に収まるどの脚よりも長すぎます（地面方向に最大 %1 mm）。</source>
        <translation>The stride is longer than any leg that fits one view of the canvas (%1 mm at most along the ground).</translation>
    </message>
    <message>
        <source>足上げは 0 より大きい長さです。</source>
        <translation>The lift is a length above 0.</translation>
    </message>
    <message>
        <source>足上げが平坦度以下です。足先は一回転ずっと接地してしまいます。</source>
        <translation>The lift is no higher than the flatness: the foot would be on the ground all the turn.</translation>
    </message>
    <message>
        <source>立脚率は 0 より大きく 1 より小さい割合です。</source>
        <translation>The stance share is a share above 0 and below 1.</translation>
    </message>
    <message>
        <source>平坦度は 0 以上の長さです。</source>
        <translation>The flatness is a length of 0 or more.</translation>
    </message>
    <message>
        <source>地面の向きが数ではありません。</source>
        <translation>The ground direction is not a number.</translation>
    </message>
    <message>
        <source>範囲が空か、長さの範囲が 0 以下です。</source>
        <translation>A range is empty, or a length&apos;s range is not above 0.</translation>
    </message>
    <message>
        <source>最小伝達角は 0° 以上 90° 未満です。</source>
        <translation>The least transmission angle is from 0° to below 90°.</translation>
    </message>
    <message>
        <source>探索の設定が正しくありません。</source>
        <translation>The search settings are not valid.</translation>
    </message>
    <message>
        <source>停止しました。</source>
        <translation>Stopped.</translation>
    </message>
    <message>
        <source>経過 %1 秒</source>
        <translation>Elapsed %1 s</translation>
    </message>
    <message>
        <source>足先の歩き方</source>
        <translation>The foot&apos;s gait</translation>
    </message>
    <message>
        <source>歩幅</source>
        <translation>Stride</translation>
    </message>
    <message>
        <source>足上げ</source>
        <translation>Lift</translation>
    </message>
    <message>
        <source>立脚率</source>
        <translation>Stance share</translation>
    </message>
    <message>
        <source>平坦度</source>
        <translation>Flatness</translation>
    </message>
    <message>
        <source>歩幅の 1 %</source>
        <translation>1 % of the stride</translation>
    </message>
    <message>
        <source>地面の向き</source>
        <translation>Ground direction</translation>
    </message>
    <message>
        <source>最小伝達角</source>
        <translation>Least transmission angle</translation>
    </message>
    <message>
        <source>足先が地面の線から平坦度以内にある、クランク一回転のうちの割合です。</source>
        <translation>The share of the crank&apos;s turn during which the foot stays within the flatness of the ground line.</translation>
    </message>
    <message>
        <source>地面に対する機構の向きも求める</source>
        <translation>Find the mechanism&apos;s direction against the ground too</translation>
    </message>
    <message>
        <source>候補（立脚を満たすものから、歩幅と足上げの誤差の小さい順）</source>
        <translation>Candidates (those meeting the stance first, by their error in stride and lift)</translation>
    </message>
    <message>
        <source>歩幅 (mm)</source>
        <translation>Stride (mm)</translation>
    </message>
    <message>
        <source>足上げ (mm)</source>
        <translation>Lift (mm)</translation>
    </message>
    <message>
        <source>平坦度 (mm)</source>
        <translation>Flatness (mm)</translation>
    </message>
    <message>
        <source>速度比</source>
        <translation>Speed ratio</translation>
    </message>
    <message>
        <source>立脚開始</source>
        <translation>Stance begins</translation>
    </message>
    <message>
        <source>立脚終了</source>
        <translation>Stance ends</translation>
    </message>
    <message>
        <source>クランク</source>
        <translation>Crank</translation>
    </message>
    <message>
        <source>てこ</source>
        <translation>Lever</translation>
    </message>
    <message>
        <source>中間節</source>
        <translation>Coupler</translation>
    </message>
    <message>
        <source>静止節</source>
        <translation>Fixed link</translation>
    </message>
    <message>
        <source>出力点X</source>
        <translation>Output X</translation>
    </message>
    <message>
        <source>出力点Y</source>
        <translation>Output Y</translation>
    </message>
    <message>
        <source>支点X</source>
        <translation>Pivot X</translation>
    </message>
    <message>
        <source>支点Y</source>
        <translation>Pivot Y</translation>
    </message>
    <message>
        <source>向き</source>
        <translation>Angle</translation>
    </message>
    <message>
        <source>キャンバスでは、選んだ候補の足先の軌跡を橙、立脚を水色で描きます。</source>
        <translation>The canvas shows the selected candidate&apos;s foot path in orange and its stance in cyan.</translation>
    </message>
    <message>
        <source>適用</source>
        <translation>Apply</translation>
    </message>
    <message>
        <source>探索しています…</source>
        <translation>Searching…</translation>
    </message>
    <message>
        <source>範囲内に、伝達角を保ち 1 画面と最大寸法の制限に収まるてこクランク機構がありません。</source>
        <translation>No crank-rocker within the ranges keeps the transmission angle and fits one view and the size limit.</translation>
    </message>
    <message>
        <source>各長さの範囲、1 画面と最大寸法の制限、乱数の種は「軌跡」のページの設定を使います。</source>
        <translation>The ranges of the lengths, the one-view and size limits and the random seed are those of the “Path” page.</translation>
    </message>
    <message>
        <source>歩幅が、最大寸法に収まるどの脚よりも長すぎます（地面方向に最大 %1 mm）。</source>
        <translation>The stride is longer than any leg within the size limit allows (at most %1 mm along the ground).</translation>
    </message>
</context>
<context>
    <name>gyrenda::HelpWindow</name>
    <message>
        <source>Gyrendaのヘルプ</source>
        <translation>Gyrenda Help</translation>
    </message>
    <message>
        <source>戻る</source>
        <translation>Back</translation>
    </message>
    <message>
        <source>前に見ていた箇所へ戻ります</source>
        <translation>Back to where you were reading before</translation>
    </message>
    <message>
        <source>進む</source>
        <translation>Forward</translation>
    </message>
    <message>
        <source>戻る前の箇所へ進みます</source>
        <translation>Forward again to where you went back from</translation>
    </message>
    <message>
        <source>目次</source>
        <translation>Contents</translation>
    </message>
    <message>
        <source>目次を表示します</source>
        <translation>Show the table of contents</translation>
    </message>
</context>
<context>
    <name>gyrenda::KinematicsPanel</name>
    <message>
        <source>伝達角</source>
        <translation>Transmission angle</translation>
    </message>
    <message>
        <source>伝達角 (°)</source>
        <translation>Transmission angle (°)</translation>
    </message>
    <message>
        <source>厳密解</source>
        <translation>Exact solution</translation>
    </message>
    <message>
        <source>てこ角とスライダ位置</source>
        <translation>Lever angle and slider position</translation>
    </message>
    <message>
        <source>てこ角 (°)</source>
        <translation>Lever angle (°)</translation>
    </message>
    <message>
        <source>スライダ位置 (mm)</source>
        <translation>Slider position (mm)</translation>
    </message>
    <message>
        <source>てこ角</source>
        <translation>Lever angle</translation>
    </message>
    <message>
        <source>スライダ位置</source>
        <translation>Slider position</translation>
    </message>
    <message>
        <source>速度</source>
        <translation>Speed</translation>
    </message>
    <message>
        <source>速度 (mm/s)</source>
        <translation>Speed (mm/s)</translation>
    </message>
    <message>
        <source>４節リンク出力点の速さ</source>
        <translation>Speed of the four-bar output point</translation>
    </message>
    <message>
        <source>スライダの速度</source>
        <translation>Slider velocity</translation>
    </message>
    <message>
        <source>加速度</source>
        <translation>Acceleration</translation>
    </message>
    <message>
        <source>加速度 (mm/s²)</source>
        <translation>Acceleration (mm/s²)</translation>
    </message>
    <message>
        <source>４節リンク出力点の加速度の大きさ</source>
        <translation>Acceleration of the four-bar output point (size)</translation>
    </message>
    <message>
        <source>スライダの加速度</source>
        <translation>Slider acceleration</translation>
    </message>
    <message>
        <source>入力トルク</source>
        <translation>Input torque</translation>
    </message>
    <message>
        <source>入力トルク (N·mm/N)</source>
        <translation>Input torque (N·mm/N)</translation>
    </message>
    <message>
        <source>スライダを押し戻す力 1 N あたり</source>
        <translation>per 1 N pushing the slider back</translation>
    </message>
    <message>
        <source>クランクの回転数 (rpm)</source>
        <translation>Crank speed (rpm)</translation>
    </message>
    <message>
        <source>図を保存…</source>
        <translation>Save plot…</translation>
    </message>
    <message>
        <source>CSVを保存…</source>
        <translation>Save CSV…</translation>
    </message>
    <message>
        <source>CSVをコピー</source>
        <translation>Copy CSV</translation>
    </message>
    <message>
        <source>この設計は組み立てられないので、どのクランク角でも姿勢がありません。</source>
        <translation>This design cannot be assembled, so it has no pose at any crank angle.</translation>
    </message>
    <message>
        <source>４節リンクが閉じるのは %1 のクランク角のうち %2 だけです。閉じないところは描きません。</source>
        <translation>The four-bar closes at only %2 of the %1 crank angles; where it does not, nothing is drawn.</translation>
    </message>
    <message>
        <source>まだ解析していません。</source>
        <translation>Not analysed yet.</translation>
    </message>
    <message>
        <source>%1（%2 rpm）</source>
        <translation>%1 (%2 rpm)</translation>
    </message>
    <message>
        <source>クランク角 (°)</source>
        <translation>Crank angle (°)</translation>
    </message>
    <message>
        <source>ラスタで見つかった姿勢</source>
        <translation>Poses found on the raster</translation>
    </message>
    <message>
        <source>目安 40°</source>
        <translation>Guide: 40°</translation>
    </message>
    <message>
        <source>図を保存</source>
        <translation>Save plot</translation>
    </message>
    <message>
        <source>PNG画像 (*.png);;SVG図面 (*.svg)</source>
        <translation>PNG image (*.png);;SVG drawing (*.svg)</translation>
    </message>
    <message>
        <source>CSVを保存</source>
        <translation>Save CSV</translation>
    </message>
    <message>
        <source>CSV (*.csv)</source>
        <translation>CSV (*.csv)</translation>
    </message>
    <message>
        <source>伝達角</source>
        <comment>tab</comment>
        <translation>Transmission</translation>
    </message>
    <message>
        <source>てこ角とスライダ位置</source>
        <comment>tab</comment>
        <translation>Lever and slider</translation>
    </message>
    <message>
        <source>速度</source>
        <comment>tab</comment>
        <translation>Speed</translation>
    </message>
    <message>
        <source>加速度</source>
        <comment>tab</comment>
        <translation>Acceleration</translation>
    </message>
    <message>
        <source>入力トルク</source>
        <comment>tab</comment>
        <translation>Torque</translation>
    </message>
</context>
<context>
    <name>gyrenda::MainWindow</name>
    <message>
        <source>静止節(%1～%2)</source>
        <translation>Fixed link (%1 to %2)</translation>
    </message>
    <message>
        <source>静止節長さ(0～0)</source>
        <translation>Fixed link (0 to 0)</translation>
    </message>
    <message>
        <source>終了</source>
        <translation>Quit</translation>
    </message>
    <message>
        <source>クランク（原動節）半径</source>
        <translation>Crank (driver) radius</translation>
    </message>
    <message>
        <source>てこ（従動節）半径</source>
        <translation>Lever radius</translation>
    </message>
    <message>
        <source>中間節長さ(0以外)</source>
        <translation>Coupler (not 0)</translation>
    </message>
    <message>
        <source>４節リンク出力点Ｘ軸補正</source>
        <translation>4-bar output X offset</translation>
    </message>
    <message>
        <source>４節リンク出力点Ｙ軸補正</source>
        <translation>4-bar output Y offset</translation>
    </message>
    <message>
        <source>６節リンクの中間節長さ(0以外)</source>
        <translation>6-bar coupler (not 0)</translation>
    </message>
    <message>
        <source>６節リンク出力点Ｘ軸補正</source>
        <translation>6-bar output X offset</translation>
    </message>
    <message>
        <source>６節リンク出力点Ｙ軸補正</source>
        <translation>6-bar output Y offset</translation>
    </message>
    <message>
        <source>うま</source>
        <translation>Horse</translation>
    </message>
    <message>
        <source>いぬ</source>
        <translation>Dog</translation>
    </message>
    <message>
        <source>かめ</source>
        <translation>Turtle</translation>
    </message>
    <message>
        <source>４節リンクパラメータ</source>
        <translation>Four-bar parameters</translation>
    </message>
    <message>
        <source>計算の最適化</source>
        <translation>Optimise</translation>
    </message>
    <message>
        <source>６節リンクパラメータ</source>
        <translation>Six-bar parameters</translation>
    </message>
    <message>
        <source>ｽﾗｲﾄﾞ始点座標(X,Y)</source>
        <translation>Slide start (X,Y)</translation>
    </message>
    <message>
        <source>ｽﾗｲﾄﾞ終点座標(X,Y)</source>
        <translation>Slide end (X,Y)</translation>
    </message>
    <message>
        <source>ぷろぱちー</source>
        <translation>Properties</translation>
    </message>
    <message>
        <source>解析スピード</source>
        <translation>Analysis speed</translation>
    </message>
    <message>
        <source>すぐに描画する</source>
        <translation>Draw at once</translation>
    </message>
    <message>
        <source>6節ﾘﾝｸも解析する</source>
        <translation>Analyse 6-bar</translation>
    </message>
    <message>
        <source>実行</source>
        <translation>Run</translation>
    </message>
    <message>
        <source>アニメ</source>
        <translation>Play</translation>
    </message>
    <message>
        <source>停止</source>
        <translation>Stop</translation>
    </message>
    <message>
        <source>拡大</source>
        <translation>Zoom
in</translation>
    </message>
    <message>
        <source>縮小</source>
        <translation>Zoom
out</translation>
    </message>
    <message>
        <source>ファイル(&amp;F)</source>
        <translation>&amp;File</translation>
    </message>
    <message>
        <source>保存</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>読み込み</source>
        <translation>Open</translation>
    </message>
    <message>
        <source>印刷</source>
        <translation>Print</translation>
    </message>
    <message>
        <source>解析レポート</source>
        <translation>Analysis report</translation>
    </message>
    <message>
        <source>ヘルプ(&amp;H)</source>
        <translation>&amp;Help</translation>
    </message>
    <message>
        <source>Gyrendaのヘルプ</source>
        <translation>Gyrenda Help</translation>
    </message>
    <message>
        <source>Gyrendaのバージョン情報</source>
        <translation>About Gyrenda</translation>
    </message>
    <message>
        <source>終了</source>
        <comment>the analysis has ended (not the quit button)</comment>
        <translation>Finished</translation>
    </message>
    <message>
        <source>編集(&amp;E)</source>
        <translation>&amp;Edit</translation>
    </message>
    <message>
        <source>元に戻す</source>
        <translation>Undo</translation>
    </message>
    <message>
        <source>やり直し</source>
        <translation>Redo</translation>
    </message>
    <message>
        <source>設計(&amp;D)</source>
        <translation>&amp;Design</translation>
    </message>
    <message>
        <source>軌跡合成…</source>
        <translation>Path synthesis…</translation>
    </message>
    <message>
        <source>アニメーションを保存…</source>
        <translation>Save animation…</translation>
    </message>
    <message numerus="yes">
        <source>%n 個の姿勢が画面の外にあり、見つかりませんでした。</source>
        <translation>
            <numerusform>%n pose lay outside the view and was not found.</numerusform>
            <numerusform>%n poses lay outside the view and were not found.</numerusform>
        </translation>
    </message>
    <message>
        <source>全体表示</source>
        <translation>Fit</translation>
    </message>
    <message>
        <source>機構全体が入るいちばん近い画面にします（Home）</source>
        <translation>The closest view that holds the whole mechanism (Home)</translation>
    </message>
    <message>
        <source>表示(&amp;V)</source>
        <translation>&amp;View</translation>
    </message>
    <message>
        <source>設計シート (PDF)…</source>
        <translation>Design sheet (PDF)…</translation>
    </message>
    <message>
        <source>ドラッグを取り消しました。</source>
        <translation>Drag cancelled.</translation>
    </message>
    <message>
        <source>長さが正でないか、大きすぎます</source>
        <translation>a length is not positive or too large</translation>
    </message>
    <message>
        <source>クランクがてこより長くなります</source>
        <translation>the crank would be longer than the lever</translation>
    </message>
    <message>
        <source>静止節が範囲の外で、クランクが一回りしません</source>
        <translation>the fixed link is out of its range: the crank would not turn fully</translation>
    </message>
    <message>
        <source>組み立てられないクランク角があります</source>
        <translation>the linkage cannot be assembled at some crank angles</translation>
    </message>
    <message>
        <source>６節リンクがスライドに届かないクランク角があります</source>
        <translation>the six-bar link misses the slide at some crank angles</translation>
    </message>
    <message>
        <source>取り消しました：%1。</source>
        <translation>Not taken: %1.</translation>
    </message>
    <message>
        <source>%1。</source>
        <translation>%1.</translation>
    </message>
</context>
<context>
    <name>gyrenda::ReportWindow</name>
    <message>
        <source>%1（入力欄は %2）</source>
        <translation>%1 (the box holds %2)</translation>
    </message>
    <message>
        <source>設計：%1</source>
        <translation>Design: %1</translation>
    </message>
    <message>
        <source>まだ解析していません。「実行」で解析すると、その結果がここに出ます。</source>
        <translation>Not analysed yet. Press “Run” to analyse, and the results appear here.</translation>
    </message>
    <message>
        <source>停止で中断した解析です。見つかった姿勢だけから求めています。</source>
        <translation>The analysis was stopped; the figures come from the poses found before.</translation>
    </message>
    <message>
        <source>解析レポート</source>
        <translation>Analysis report</translation>
    </message>
    <message>
        <source>この結果は入力欄の値と違う設計のものです。「実行」で解析し直してください。</source>
        <translation>These results belong to a design other than the one in the boxes. Press “Run” to analyse it again.</translation>
    </message>
    <message>
        <source>項目</source>
        <translation>Item</translation>
    </message>
    <message>
        <source>値</source>
        <translation>Value</translation>
    </message>
    <message>
        <source>閉じる</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>コピー</source>
        <translation>Copy</translation>
    </message>
    <message>
        <source>数値</source>
        <translation>Figures</translation>
    </message>
    <message>
        <source>グラフ</source>
        <translation>Plots</translation>
    </message>
    <message>
        <source>公差</source>
        <translation>Tolerances</translation>
    </message>
    <message>
        <source>最後の解析の結果です。長さはmm、角度は度で示します。精度は見つけた姿勢と厳密な姿勢との距離です。</source>
        <translation>The results of the last analysis. Lengths are in millimetres, angles in degrees. Accuracy is the distance between a pose found and the exact pose.</translation>
    </message>
</context>
<context>
    <name>gyrenda::SearchControls</name>
    <message numerus="yes">
        <source>%n 個の候補が見つかりました。</source>
        <translation>
            <numerusform>%n candidate found.</numerusform>
            <numerusform>%n candidates found.</numerusform>
        </translation>
    </message>
    <message>
        <source>開始</source>
        <translation>Start</translation>
    </message>
    <message>
        <source>停止</source>
        <translation>Stop</translation>
    </message>
</context>
<context>
    <name>gyrenda::SheetDialog</name>
    <message>
        <source>設計シート (PDF)</source>
        <translation>Design sheet (PDF)</translation>
    </message>
    <message>
        <source>公差解析のページを加える（公差タブの公差とすきまで）</source>
        <translation>Add a page of tolerance analysis (at the tolerances and clearance of the Tolerance tab)</translation>
    </message>
    <message>
        <source>トルクと速さのクランク回転数</source>
        <translation>Crank speed of the speeds and torque</translation>
    </message>
    <message>
        <source>設計シートを保存</source>
        <translation>Save the design sheet</translation>
    </message>
    <message>
        <source>PDF文書 (*.pdf)</source>
        <translation>PDF document (*.pdf)</translation>
    </message>
    <message>
        <source>設計シート.pdf</source>
        <translation>design-sheet.pdf</translation>
    </message>
    <message>
        <source>公差解析をしています…</source>
        <translation>Analysing the tolerances…</translation>
    </message>
    <message>
        <source>停止</source>
        <translation>Stop</translation>
    </message>
</context>
<context>
    <name>gyrenda::SliderPage</name>
    <message>
        <source>ストロークは 0 より大きく、一画面の幅 396 mm 以下にしてください。</source>
        <translation>Make the stroke greater than 0 and at most 396 mm, the width of one view.</translation>
    </message>
    <message>
        <source>時間比は 0 より大きくしてください。</source>
        <translation>Make the time ratio greater than 0.</translation>
    </message>
    <message>
        <source>最小リンク角は 0° 以上 90° 未満にしてください。</source>
        <translation>Make the minimum link angle at least 0° and below 90°.</translation>
    </message>
    <message>
        <source>スライドの向きが数ではありません。</source>
        <translation>The slide direction is not a number.</translation>
    </message>
    <message>
        <source>探索の設定が正しくありません。</source>
        <translation>The search settings are wrong.</translation>
    </message>
    <message>
        <source>4節リンクのクランクが一回りしないため、スライダが一回りを通して動けません。</source>
        <translation>The four-bar crank does not turn fully, so the slider cannot follow it through a turn.</translation>
    </message>
    <message>
        <source>一画面に収まり、リンクがスライドと最小リンク角以上で交わるスライドとリンクが見つかりませんでした。</source>
        <translation>No slide and link were found that fit one view with the link meeting the slide at the minimum link angle or more.</translation>
    </message>
    <message>
        <source>4節リンクの出力点の軌跡では、条件を満たしてストローク %1 mm を得られません。見つかったストロークは %2 〜 %3 mm です。</source>
        <translation>The four-bar output path gives no stroke of %1 mm within the constraints. The strokes found run from %2 to %3 mm.</translation>
    </message>
    <message>
        <source>ストローク %1 mm は得られますが、時間比が %2 の 2 % 以内のものは見つかりませんでした。いちばん近い時間比は %3 です。</source>
        <translation>Strokes of %1 mm were found, but none with a time ratio within 2 % of %2. The closest time ratio found is %3.</translation>
    </message>
    <message>
        <source>停止しました。それまでに見つかった候補を示します。</source>
        <translation>Stopped. The candidates found so far are shown.</translation>
    </message>
    <message>
        <source>経過 %1 秒</source>
        <translation>Elapsed %1 s</translation>
    </message>
    <message>
        <source>候補（要求を満たすものを最小リンク角の大きい順に）</source>
        <translation>Candidates (those meeting the request first, largest minimum link angle first)</translation>
    </message>
    <message>
        <source>ストローク (mm)</source>
        <translation>Stroke (mm)</translation>
    </message>
    <message>
        <source>時間比</source>
        <translation>Time ratio</translation>
    </message>
    <message>
        <source>最小リンク角</source>
        <translation>Min. link angle</translation>
    </message>
    <message>
        <source>要求</source>
        <translation>Request</translation>
    </message>
    <message>
        <source>行き始め</source>
        <translation>Forward from</translation>
    </message>
    <message>
        <source>行き終わり</source>
        <translation>Forward to</translation>
    </message>
    <message>
        <source>リンク長</source>
        <translation>Link length</translation>
    </message>
    <message>
        <source>出力点X</source>
        <translation>Output X</translation>
    </message>
    <message>
        <source>出力点Y</source>
        <translation>Output Y</translation>
    </message>
    <message>
        <source>始点X</source>
        <translation>Start X</translation>
    </message>
    <message>
        <source>始点Y</source>
        <translation>Start Y</translation>
    </message>
    <message>
        <source>終点X</source>
        <translation>End X</translation>
    </message>
    <message>
        <source>終点Y</source>
        <translation>End Y</translation>
    </message>
    <message>
        <source>適用</source>
        <translation>Apply</translation>
    </message>
    <message>
        <source>適用すると、6節リンクの値を入力欄に入れ、6節リンクも解析します。</source>
        <translation>Apply puts the six-bar values into the boxes and analyses the six-bar too.</translation>
    </message>
    <message>
        <source>条件（入力欄の4節リンクに対して）</source>
        <translation>Conditions (for the four-bar in the boxes)</translation>
    </message>
    <message>
        <source>時間比（行き／帰り）</source>
        <translation>Time ratio (forward / return)</translation>
    </message>
    <message>
        <source>スライドの向きを固定</source>
        <translation>Fix the slide direction</translation>
    </message>
    <message>
        <source>ストローク</source>
        <translation>Stroke</translation>
    </message>
    <message>
        <source>最小リンク角（リンクとスライドの間）</source>
        <translation>Minimum link angle (between link and slide)</translation>
    </message>
    <message>
        <source>乱数の種</source>
        <translation>Random seed</translation>
    </message>
    <message>
        <source>探索しています…</source>
        <translation>Searching…</translation>
    </message>
    <message>
        <source>停止しました。</source>
        <translation>Stopped.</translation>
    </message>
    <message numerus="yes">
        <source>%n 個の候補が見つかりました。</source>
        <translation>
            <numerusform>%n candidate found.</numerusform>
            <numerusform>%n candidates found.</numerusform>
        </translation>
    </message>
    <message>
        <source>満たす</source>
        <translation>meets</translation>
    </message>
    <message>
        <source>外れる</source>
        <translation>misses</translation>
    </message>
    <message>
        <source>ストロークは 0 より大きく、%1 mm 以下にしてください。</source>
        <translation>Make the stroke greater than 0 and at most %1 mm.</translation>
    </message>
    <message>
        <source>リンクがスライドと最小リンク角以上で交わるスライドとリンクが見つかりませんでした。</source>
        <translation>No slide and link were found with the link meeting the slide at the minimum link angle or more.</translation>
    </message>
    <message>
        <source>1 画面</source>
        <translation>One view</translation>
    </message>
    <message>
        <source>機構を 1 画面に収める</source>
        <translation>Fit the mechanism in one view</translation>
    </message>
    <message>
        <source>どの候補も、倍率 4 でスクロール −300〜300 の 1 画面に、スライドと6節リンクの出力点の軌跡も含めて収まります。外すとリンクを長くでき、長いストロークも探せますが、はみ出す候補の姿勢は画面の外では解析で見つかりません。</source>
        <translation>Every candidate fits one view at zoom 4 with the scroll bars within −300 to 300, the slide and the six-bar output path included. Untick it to let the link be longer and reach longer strokes; the analysis then finds a candidate&apos;s poses only where they lie in the view shown.</translation>
    </message>
    <message>
        <source>収まる</source>
        <translation>fits</translation>
    </message>
    <message>
        <source>はみ出す</source>
        <translation>exceeds</translation>
    </message>
</context>
<context>
    <name>gyrenda::SynthesisDialog</name>
    <message>
        <source>出力点Ｘ軸補正</source>
        <translation>Output X offset</translation>
    </message>
    <message>
        <source>出力点Ｙ軸補正</source>
        <translation>Output Y offset</translation>
    </message>
    <message>
        <source>軌跡合成</source>
        <translation>Path synthesis</translation>
    </message>
    <message>
        <source>経過 000.0 秒</source>
        <translation>Elapsed 000.0 s</translation>
    </message>
    <message>
        <source>目標点（出力点が通る点）</source>
        <translation>Target points (where the output point passes)</translation>
    </message>
    <message>
        <source>行を追加</source>
        <translation>Add row</translation>
    </message>
    <message>
        <source>行を削除</source>
        <translation>Delete row</translation>
    </message>
    <message>
        <source>貼り付け</source>
        <translation>Paste</translation>
    </message>
    <message>
        <source>条件</source>
        <translation>Conditions</translation>
    </message>
    <message>
        <source>最小伝達角</source>
        <translation>Least transmission angle</translation>
    </message>
    <message>
        <source>下限</source>
        <translation>Lower</translation>
    </message>
    <message>
        <source>上限</source>
        <translation>Upper</translation>
    </message>
    <message>
        <source>支点の位置と向きも求める</source>
        <translation>Find the pivots’ place and direction too</translation>
    </message>
    <message>
        <source>乱数の種</source>
        <translation>Random seed</translation>
    </message>
    <message>
        <source>候補（最大距離の小さい順）</source>
        <translation>Candidates (smallest greatest distance first)</translation>
    </message>
    <message>
        <source>分類</source>
        <translation>Kind</translation>
    </message>
    <message>
        <source>クランク</source>
        <translation>Crank</translation>
    </message>
    <message>
        <source>てこ</source>
        <translation>Lever</translation>
    </message>
    <message>
        <source>中間節</source>
        <translation>Coupler</translation>
    </message>
    <message>
        <source>静止節</source>
        <translation>Fixed link</translation>
    </message>
    <message>
        <source>出力点X</source>
        <translation>Output X</translation>
    </message>
    <message>
        <source>出力点Y</source>
        <translation>Output Y</translation>
    </message>
    <message>
        <source>支点X</source>
        <translation>Pivot X</translation>
    </message>
    <message>
        <source>支点Y</source>
        <translation>Pivot Y</translation>
    </message>
    <message>
        <source>向き</source>
        <translation>Direction</translation>
    </message>
    <message>
        <source>適用</source>
        <translation>Apply</translation>
    </message>
    <message numerus="yes">
        <source>%n 点を貼り付けました。</source>
        <translation>
            <numerusform>%n point pasted.</numerusform>
            <numerusform>%n points pasted.</numerusform>
        </translation>
    </message>
    <message>
        <source>CSVファイル (*.csv *.CSV *.txt)</source>
        <translation>CSV files (*.csv *.CSV *.txt)</translation>
    </message>
    <message>
        <source>すべてのファイル (*)</source>
        <translation>All files (*)</translation>
    </message>
    <message>
        <source>%1 を読めませんでした: %2</source>
        <translation>%1 could not be read: %2</translation>
    </message>
    <message numerus="yes">
        <source>%n 点を読み込みました。</source>
        <translation>
            <numerusform>%n point read.</numerusform>
            <numerusform>%n points read.</numerusform>
        </translation>
    </message>
    <message>
        <source>目標点の %1 行目が数ではありません。</source>
        <translation>Target row %1 is not a number.</translation>
    </message>
    <message>
        <source>探索しています…</source>
        <translation>Searching…</translation>
    </message>
    <message>
        <source>経過 %1 秒</source>
        <translation>Elapsed %1 s</translation>
    </message>
    <message>
        <source>停止しました。</source>
        <translation>Stopped.</translation>
    </message>
    <message>
        <source>目標点の座標系で、クランク支点は (%1, %2)、静止節の向きは %3°。キャンバスには目標点をこの機構の座標系に移して描いています。</source>
        <translation>In the targets’ coordinates the crank pivot is at (%1, %2) and the fixed link points at %3°. The canvas shows the targets moved into this mechanism’s coordinates.</translation>
    </message>
    <message>
        <source>てこクランク</source>
        <translation>Crank-rocker</translation>
    </message>
    <message>
        <source>両クランク</source>
        <translation>Double crank</translation>
    </message>
    <message>
        <source>両てこ</source>
        <translation>Double rocker</translation>
    </message>
    <message>
        <source>てこが回転</source>
        <translation>Rocker-crank</translation>
    </message>
    <message>
        <source>三てこ</source>
        <translation>Triple rocker</translation>
    </message>
    <message>
        <source>切替点</source>
        <translation>Change point</translation>
    </message>
    <message>
        <source>組み立てられない</source>
        <translation>Cannot be assembled</translation>
    </message>
    <message>
        <source>目標点が足りません。3 点以上入力してください。</source>
        <translation>Too few target points. Enter 3 or more.</translation>
    </message>
    <message>
        <source>数でない座標の目標点があります。</source>
        <translation>A target point has a coordinate that is not a number.</translation>
    </message>
    <message>
        <source>長さの範囲が正しくありません。下限を上限より小さくし、長さは 1 以上にしてください。</source>
        <translation>The length ranges are wrong. Make each lower limit less than its upper one, and lengths 1 or more.</translation>
    </message>
    <message>
        <source>最小伝達角は 0° 以上 90° 未満にしてください。</source>
        <translation>The least transmission angle must be from 0° to below 90°.</translation>
    </message>
    <message>
        <source>停止しました。それまでに見つかった候補を示します。</source>
        <translation>Stopped. The candidates found so far are shown.</translation>
    </message>
    <message>
        <source>同じ位置の目標点が二つあります。</source>
        <translation>Two target points are at the same place.</translation>
    </message>
    <message>
        <source>範囲内のどのリンクも届かない目標点があります。範囲を広げるか、点を近づけてください。</source>
        <translation>No linkage within the ranges reaches some target point. Widen the ranges or bring the points closer.</translation>
    </message>
    <message>
        <source>探索の設定が正しくありません。</source>
        <translation>The search settings are wrong.</translation>
    </message>
    <message>
        <source>%1 行目と %2 行目の目標点が同じ位置です。</source>
        <translation>The targets in rows %1 and %2 are at the same place.</translation>
    </message>
    <message>
        <source>%1 行目の目標点には、範囲内のどのリンクも届きません。範囲を広げるか、点を近づけてください。</source>
        <translation>No linkage within the ranges reaches the target in row %1. Widen the ranges or move the point closer.</translation>
    </message>
    <message>
        <source>%1 行目と %2 行目の目標点は離れすぎていて、範囲内のどのリンクも両方には届きません。範囲を広げるか、点を近づけてください。</source>
        <translation>The targets in rows %1 and %2 are too far apart for any linkage within the ranges to reach both. Widen the ranges or move the points closer.</translation>
    </message>
    <message>
        <source>目標点が変わりました。ここの候補は変わる前の点に対するものです。「開始」で今の点の候補を探せます。</source>
        <translation>The targets have changed. These candidates belong to the targets before the change; “Start” searches for the targets now in the table.</translation>
    </message>
    <message numerus="yes">
        <source>目標点の表にはもう点があります。読み込んだ %n 点で置き換えますか、後ろに加えますか？</source>
        <translation>
            <numerusform>The table holds targets already. Replace them by the %n point read, or append it?</numerusform>
            <numerusform>The table holds targets already. Replace them by the %n points read, or append them?</numerusform>
        </translation>
    </message>
    <message>
        <source>置き換える</source>
        <translation>Replace</translation>
    </message>
    <message>
        <source>後ろに加える</source>
        <translation>Append</translation>
    </message>
    <message>
        <source>キャンセル</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>読み込みをやめました。表は元のままです。</source>
        <translation>Nothing was read; the table is as it was.</translation>
    </message>
    <message>
        <source>この候補は、目標点を変える前の点に対して求めたものです。それでも適用しますか？</source>
        <translation>This candidate was found for the targets before they were changed. Apply it all the same?</translation>
    </message>
    <message>
        <source>適用する</source>
        <translation>Apply</translation>
    </message>
    <message>
        <source>やめる</source>
        <translation>Don’t apply</translation>
    </message>
    <message>
        <source>最大距離 (mm)</source>
        <translation>Greatest distance (mm)</translation>
    </message>
    <message>
        <source>RMS距離 (mm)</source>
        <translation>RMS distance (mm)</translation>
    </message>
    <message>
        <source>RMS距離</source>
        <translation>RMS distance</translation>
    </message>
    <message>
        <source>最大距離</source>
        <translation>Largest distance</translation>
    </message>
    <message>
        <source>探索で最小にし、候補を並べる量です。どの候補も両方を示します。</source>
        <translation>What the search minimises and ranks the candidates by. Every candidate shows both.</translation>
    </message>
    <message>
        <source>最小にする量</source>
        <translation>Minimise</translation>
    </message>
    <message>
        <source>候補（RMS距離の小さい順）</source>
        <translation>Candidates (smallest RMS distance first)</translation>
    </message>
    <message>
        <source>範囲内には、クランクが一回りし、てこより短いてこクランク機構がありません。範囲を広げてください。</source>
        <translation>The ranges hold no crank-rocker whose crank turns fully and is no longer than its lever. Widen the ranges.</translation>
    </message>
    <message>
        <source>範囲内のてこクランク機構はどれも、伝達角が最小伝達角を下回ります。最小伝達角を下げるか、範囲を広げてください。</source>
        <translation>Every crank-rocker within the ranges has a transmission angle below the least transmission angle. Lower the least transmission angle or widen the ranges.</translation>
    </message>
    <message>
        <source>条件を満たすリンクは見つかりましたが、どの軌跡も目標点を表の順に（どちら向きにも）通りません。</source>
        <translation>Linkages meeting the conditions were found, but no path passes the target points in the order of the table, in either direction.</translation>
    </message>
    <message>
        <source>目標点を表の順に通る（どちら向きでも）</source>
        <translation>Pass the targets in the order of the table (either way)</translation>
    </message>
    <message>
        <source>裏返しも</source>
        <translation>Turned over too</translation>
    </message>
    <message>
        <source>機構を裏返した（鏡に映した）ものも探します。支点の位置と向きも求めるときだけです。</source>
        <translation>Also look for the mechanism turned over (its mirror image). Only with the pivots’ place and direction.</translation>
    </message>
    <message>
        <source>通る順</source>
        <translation>Order</translation>
    </message>
    <message>
        <source>（裏返し）</source>
        <translation> (turned over)</translation>
    </message>
    <message>
        <source>表の逆順</source>
        <translation>Reverse</translation>
    </message>
    <message>
        <source>表の順</source>
        <translation>As listed</translation>
    </message>
    <message>
        <source>この候補は機構を裏返したもので、キャンバスの目標点も裏返して描いています。</source>
        <translation> This candidate is the mechanism turned over; the canvas draws the target points turned over too.</translation>
    </message>
    <message>
        <source>条件を満たすリンクが見つかりませんでした。</source>
        <translation>No linkage meeting the conditions was found.</translation>
    </message>
    <message>
        <source>目標点が多すぎます。%1 点までにしてください。</source>
        <translation>Too many target points. Enter %1 at most.</translation>
    </message>
    <message>
        <source>角度のある行とない行があります。角度は 1 行目のほかはすべての行に入力してください。</source>
        <translation>Some rows have an angle and others not. Give an angle in every row but the first.</translation>
    </message>
    <message>
        <source>角度</source>
        <translation>Angle</translation>
    </message>
    <message>
        <source>距離</source>
        <translation>Distance</translation>
    </message>
    <message>
        <source>角度誤差</source>
        <translation>Angle error</translation>
    </message>
    <message>
        <source>DXF の図形に沿って等間隔に取る目標点の数。0 なら図形の点をそのまま使います。</source>
        <translation>How many target points to space evenly along a DXF drawing&apos;s shape; at 0 the shape&apos;s own points are taken.</translation>
    </message>
    <message>
        <source>DXF の点数</source>
        <translation>DXF points</translation>
    </message>
    <message>
        <source>キャンバスをダブルクリックしても点を追加できます。角度は、各点を通るときのクランク角を 1 行目の点からの度数で（空けると角度なし）。</source>
        <translation>A double-click on the canvas adds a point too. Angle: the crank angle at which each point is passed, in degrees after the first row&apos;s (leave it empty for none).</translation>
    </message>
    <message>
        <source>位相</source>
        <translation>Phase</translation>
    </message>
    <message>
        <source>貼り付けた %1 行目を読めません。x と y の二つの数（または番号と x、y や x、y と角度）を、タブ、カンマまたは空白で区切ってください。</source>
        <translation>Pasted line %1 cannot be read. Give two numbers, x and y (or a number counting the points, then x and y, or x, y and an angle), separated by a tab, a comma or spaces.</translation>
    </message>
    <message>
        <source>CSV・DXFファイル (*.csv *.CSV *.txt *.dxf *.DXF)</source>
        <translation>CSV and DXF files (*.csv *.CSV *.txt *.dxf *.DXF)</translation>
    </message>
    <message>
        <source>DXFファイル (*.dxf *.DXF)</source>
        <translation>DXF files (*.dxf *.DXF)</translation>
    </message>
    <message numerus="yes">
        <source>%1から %n 点を読み込みました。</source>
        <translation>
            <numerusform>Read %n point from %1.</numerusform>
            <numerusform>Read %n points from %1.</numerusform>
        </translation>
    </message>
    <message>
        <source>目標点の %1 行目の角度が数ではありません。</source>
        <translation>The angle in row %1 of the target points is not a number.</translation>
    </message>
    <message>
        <source>角度はクランクと逆向き</source>
        <translation>angles against the crank&apos;s turn</translation>
    </message>
    <message>
        <source>角度はクランクの向き</source>
        <translation>angles with the crank&apos;s turn</translation>
    </message>
    <message>
        <source>読み込み…</source>
        <translation>Open…</translation>
    </message>
    <message>
        <source>CSV ファイルか DXF の図面から目標点を読み込みます。</source>
        <translation>Reads target points from a CSV file or a DXF drawing.</translation>
    </message>
    <message>
        <source>そのまま</source>
        <translation>as drawn</translation>
    </message>
    <message>
        <source>条件を満たすリンクは見つかりましたが、どれも 1 画面または最大寸法に収まりません。「機構を 1 画面に収める」を外すか、最大寸法や範囲を見直してください。</source>
        <translation>Linkages meeting the conditions were found, but none fits one view or the largest size. Uncheck “Fit the mechanism in one view”, or look at the largest size and the ranges again.</translation>
    </message>
    <message>
        <source>大きさ (mm)</source>
        <translation>Size (mm)</translation>
    </message>
    <message>
        <source>解析で見つかる姿勢</source>
        <translation>Poses found by the analysis</translation>
    </message>
    <message>
        <source>範囲を目標点の大きさに合わせる</source>
        <translation>Scale the ranges to the targets</translation>
    </message>
    <message>
        <source>目標点を囲む長方形の長いほうの辺を E として、長さは E/40（1 以上）から 4E、出力点の補正は −4E から 4E にします（1 画面に収めるときは 200 まで）。外すと範囲を自由に入力できます。</source>
        <translation>With E the longer side of the rectangle around the target points, the lengths range from E/40 (at least 1) to 4E and the output point’s offsets from −4E to 4E (200 at most while the mechanism must fit in one view). Unchecked, the ranges can be typed freely.</translation>
    </message>
    <message>
        <source>機構を 1 画面に収める</source>
        <translation>Fit the mechanism in one view</translation>
    </message>
    <message>
        <source>どの候補も、倍率 4 でスクロール −300〜300 の 1 画面に、てこの円も含めて収まります。全体表示でどの姿勢も画面の外に出ません。</source>
        <translation>Every candidate fits one view at zoom 4 with the scroll bars within −300 to 300, the lever circle included. After Fit, no pose lies outside the view.</translation>
    </message>
    <message>
        <source>制限なし</source>
        <translation>No limit</translation>
    </message>
    <message>
        <source>機構の大きさ（両支点、クランクの円、てこの上半分の円、一回りの軌跡を囲む長方形の長いほうの辺）の上限です。</source>
        <translation>The most the mechanism’s size may be: the longer side of the rectangle around both pivots, the crank circle, the lever’s upper half circle and the path over a whole turn.</translation>
    </message>
    <message>
        <source>解析で全姿勢が見つかる候補を先に</source>
        <translation>Fully analysed candidates first</translation>
    </message>
    <message>
        <source>全体表示の画面で、かめの速さの解析がすべての姿勢を見つける候補を、あてはまりがほぼ同じ（最良の 2 倍以内）候補より先に並べます。</source>
        <translation>Candidates whose analysis at the speed of the tortoise, in the view Fit gives them, finds every pose come before those that fit about as well (within twice the best).</translation>
    </message>
    <message>
        <source>最大寸法</source>
        <translation>Largest size</translation>
    </message>
    <message>
        <source>未測定</source>
        <translation>not measured</translation>
    </message>
    <message>
        <source>軌跡</source>
        <translation>Path</translation>
    </message>
    <message>
        <source>スライダ</source>
        <translation>Slider</translation>
    </message>
    <message>
        <source>歩行脚</source>
        <translation>Walking leg</translation>
    </message>
</context>
<context>
    <name>gyrenda::TargetImport</name>
    <message>
        <source>ふつうのファイルではありません</source>
        <translation>not a regular file</translation>
    </message>
    <message>
        <source>DXF の図面として読めません</source>
        <translation>not a DXF drawing that can be read</translation>
    </message>
    <message>
        <source>ポリライン、線、点、スプラインがありません</source>
        <translation>no polyline, line, point or spline in it</translation>
    </message>
    <message>
        <source>閉じた %1（画層 %2）</source>
        <translation>the closed %1 (layer %2)</translation>
    </message>
    <message>
        <source>%1（画層 %2）</source>
        <translation>the %1 (layer %2)</translation>
    </message>
    <message>
        <source>64 MiB を超えています</source>
        <translation>larger than 64 MiB</translation>
    </message>
    <message>
        <source>%1 行目が x, y の二つの数（または番号, x, y や x, y, 角度）ではありません</source>
        <translation>line %1 is not two numbers x, y (or a count, x, y, or x, y, angle)</translation>
    </message>
    <message>
        <source>点がありません</source>
        <translation>there are no points</translation>
    </message>
</context>
<context>
    <name>gyrenda::TolerancePanel</name>
    <message>
        <source>寸法ごとに指定</source>
        <translation>Set per dimension</translation>
    </message>
    <message>
        <source>一様</source>
        <translation>Uniform</translation>
    </message>
    <message>
        <source>正規（σ = 公差/3）</source>
        <translation>Normal (σ = tolerance/3)</translation>
    </message>
    <message>
        <source>公差 ±</source>
        <translation>Tolerance ±</translation>
    </message>
    <message>
        <source>分布</source>
        <translation>Distribution</translation>
    </message>
    <message>
        <source>ピンのすきま</source>
        <translation>Pin clearance</translation>
    </message>
    <message>
        <source>乱数の種</source>
        <translation>Random seed</translation>
    </message>
    <message>
        <source>サンプル数</source>
        <translation>Samples</translation>
    </message>
    <message>
        <source>計算</source>
        <translation>Compute</translation>
    </message>
    <message>
        <source>停止</source>
        <translation>Stop</translation>
    </message>
    <message>
        <source>経路と95%帯</source>
        <translation>Paths</translation>
    </message>
    <message>
        <source>ずれ</source>
        <translation>Deviation</translation>
    </message>
    <message>
        <source>項目</source>
        <translation>Item</translation>
    </message>
    <message>
        <source>公称</source>
        <translation>Nominal</translation>
    </message>
    <message>
        <source>5%</source>
        <translation>5%</translation>
    </message>
    <message>
        <source>50%</source>
        <translation>50%</translation>
    </message>
    <message>
        <source>95%</source>
        <translation>95%</translation>
    </message>
    <message>
        <source>順位</source>
        <translation>Rank</translation>
    </message>
    <message>
        <source>寸法</source>
        <translation>Dimension</translation>
    </message>
    <message>
        <source>スライダ</source>
        <translation>Slider</translation>
    </message>
    <message>
        <source>寸法が 1 mm 変わったときの、1 回転中で最大の動き (mm)</source>
        <translation>Largest movement over a turn when the dimension changes by 1 mm (mm)</translation>
    </message>
    <message>
        <source>感度 (mm/mm)</source>
        <translation>Sensitivity (mm/mm)</translation>
    </message>
    <message>
        <source>寸法ごとの公差</source>
        <translation>Per dimension</translation>
    </message>
    <message>
        <source>図を保存…</source>
        <translation>Save plot…</translation>
    </message>
    <message>
        <source>CSVを保存…</source>
        <translation>Save CSV…</translation>
    </message>
    <message>
        <source>計算しています…</source>
        <translation>Computing…</translation>
    </message>
    <message>
        <source>停止しました。結果はありません。</source>
        <translation>Stopped. There is no result.</translation>
    </message>
    <message>
        <source>この設計はどのクランク角でも組み立てられないので、公差解析はできません。</source>
        <translation>This design cannot be assembled at any crank angle, so its tolerances cannot be analysed.</translation>
    </message>
    <message>
        <source>サンプル数が多すぎます。</source>
        <translation>Too many samples.</translation>
    </message>
    <message>
        <source>公差とすきまは 0 以上の数にしてください。</source>
        <translation>Tolerances and clearances must be numbers of 0 or more.</translation>
    </message>
    <message>
        <source>まだ解析していません。「実行」で解析した設計の公差を調べられます。</source>
        <translation>Not analysed yet. The tolerances of a design analysed with “Run” can be examined here.</translation>
    </message>
    <message>
        <source>寸法の公差とピンのすきまを入れて「計算」を押すと、作った機構が図からどれだけずれるかをモンテカルロ法で調べます。</source>
        <translation>Enter the tolerances of the dimensions and the pin clearance and press “Compute”: a Monte Carlo analysis finds how far a mechanism as built strays from the drawing.</translation>
    </message>
    <message>
        <source>%1 個のサンプル。95%帯の最大：４節リンク出力点 %2 mm、６節リンク出力点 %3 mm、スライダ %4 mm。</source>
        <translation>%1 samples. Widest 95% band: four-bar output point %2 mm, six-bar output point %3 mm, slider %4 mm.</translation>
    </message>
    <message>
        <source>注意：サンプルの %1 % でクランクが一回転しなくなります。</source>
        <translation>Note: in %1 % of the samples the crank no longer turns all the way round.</translation>
    </message>
    <message>
        <source>注意：サンプルの %1 % で6節リンクの中間節がスライドに届かないクランク角があります。</source>
        <translation>Note: in %1 % of the samples the six-bar coupler fails to reach the slide at some crank angles.</translation>
    </message>
    <message>
        <source>X (mm)</source>
        <translation>X (mm)</translation>
    </message>
    <message>
        <source>Y (mm)</source>
        <translation>Y (mm)</translation>
    </message>
    <message>
        <source>４節の出力点</source>
        <translation>Four-bar output point</translation>
    </message>
    <message>
        <source>６節の出力点</source>
        <translation>Six-bar output point</translation>
    </message>
    <message>
        <source>公称位置からのずれ（実線は95%、破線は最大）</source>
        <translation>Deviation from the nominal position (solid 95%, dashed greatest)</translation>
    </message>
    <message>
        <source>クランク角 (°)</source>
        <translation>Crank angle (°)</translation>
    </message>
    <message>
        <source>ずれ (mm)</source>
        <translation>Deviation (mm)</translation>
    </message>
    <message>
        <source>スライダのストローク (mm)</source>
        <translation>Slider stroke (mm)</translation>
    </message>
    <message>
        <source>てこの揺動角 (°)</source>
        <translation>Lever rocking angle (°)</translation>
    </message>
    <message>
        <source>最小伝達角 (°)</source>
        <translation>Least transmission angle (°)</translation>
    </message>
    <message>
        <source>図を保存</source>
        <translation>Save plot</translation>
    </message>
    <message>
        <source>PNG画像 (*.png);;SVG図面 (*.svg)</source>
        <translation>PNG image (*.png);;SVG drawing (*.svg)</translation>
    </message>
    <message>
        <source>CSVを保存</source>
        <translation>Save CSV</translation>
    </message>
    <message>
        <source>CSV (*.csv)</source>
        <translation>CSV (*.csv)</translation>
    </message>
    <message>
        <source>1 ～ %1。サンプル数とクランク角の数（%2）の積は %3 までです。</source>
        <translation>1 to %1: the number of samples times the number of crank angles (%2) may be at most %3.</translation>
    </message>
    <message>
        <source>サンプル数は %1 までです（サンプル数とクランク角の数 %2 の積が %3 まで）。%4 を %1 にしました。</source>
        <translation>At most %1 samples (the samples times the %2 crank angles may be at most %3): %4 was made %1.</translation>
    </message>
    <message>
        <source>出力点の経路と95%帯（破線、帯の幅は %1 倍に拡大）</source>
        <translation>Output point paths and 95% bands (dashed; bands widened %1 times)</translation>
    </message>
    <message>
        <source>出力点の経路と95%帯（破線）</source>
        <translation>Output point paths and 95% bands (dashed)</translation>
    </message>
    <message>
        <source>４節リンク
出力点</source>
        <translation>Four-bar
output point</translation>
    </message>
    <message>
        <source>６節リンク
出力点</source>
        <translation>Six-bar
output point</translation>
    </message>
</context>
<context>
    <name>gyrenda::VersionWindow</name>
    <message>
        <source>競技用ロボット設計支援プログラム</source>
        <translation>Design aid for competition robots</translation>
    </message>
    <message>
        <source>For 32bit Windows Development</source>
        <translation>For 32bit Windows Development</translation>
    </message>
    <message>
        <source>Gyrendaのバージョン情報</source>
        <translation>About Gyrenda</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
</context>
</TS>
