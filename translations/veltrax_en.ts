<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="ja">
<context>
    <name>veltrax::AltitudeChart</name>
    <message>
        <source>夜の高度</source>
        <translation>Night altitudes</translation>
    </message>
    <message>
        <source>木星</source>
        <translation>Jupiter</translation>
    </message>
    <message>
        <source>太陽</source>
        <translation>Sun</translation>
    </message>
</context>
<context>
    <name>veltrax::BackgroundMenu</name>
    <message>
        <source>大赤斑の経度…</source>
        <translation>Great Red Spot longitude…</translation>
    </message>
    <message>
        <source>衛星の影</source>
        <translation>Satellite shadows</translation>
    </message>
    <message>
        <source>正確な衛星位置</source>
        <translation>Precise satellite positions</translation>
    </message>
    <message>
        <source>天頂ミラー（左右反転）</source>
        <translation>Star diagonal (mirrored)</translation>
    </message>
    <message>
        <source>経度線</source>
        <translation>Longitude grid</translation>
    </message>
    <message>
        <source>衛星現象…</source>
        <translation>Night plan…</translation>
    </message>
</context>
<context>
    <name>veltrax::ChartView</name>
    <message>
        <source>右クリックで PNG か SVG に保存できます</source>
        <translation>Right-click to save as PNG or SVG</translation>
    </message>
    <message>
        <source>ファイルを開けません</source>
        <translation>Cannot open the file</translation>
    </message>
    <message>
        <source>ファイル名は .png か .svg で終えてください</source>
        <translation>End the file name with .png or .svg</translation>
    </message>
    <message>
        <source>画像として保存…</source>
        <translation>Save as image…</translation>
    </message>
    <message>
        <source>PNG 画像 (*.png)</source>
        <translation>PNG image (*.png)</translation>
    </message>
    <message>
        <source>SVG 画像 (*.svg)</source>
        <translation>SVG image (*.svg)</translation>
    </message>
    <message>
        <source>グラフを保存</source>
        <translation>Save the chart</translation>
    </message>
    <message>
        <source>保存しました: %1</source>
        <translation>Saved: %1</translation>
    </message>
    <message>
        <source>保存できませんでした: %1（%2）</source>
        <translation>Could not save %1 (%2)</translation>
    </message>
</context>
<context>
    <name>veltrax::DiskReadout</name>
    <message>
        <source>Ⅰ=%1°&#x3000;Ⅱ=%2°&#x3000;Ⅲ=%3°&#x3000;緯度=%4°</source>
        <translation>I=%1°  II=%2°  III=%3°  latitude=%4°</translation>
    </message>
</context>
<context>
    <name>veltrax::EventsDialog</name>
    <message>
        <source>観測地</source>
        <translation>Site</translation>
    </message>
    <message>
        <source>緯度（北が正、度）(&amp;A)</source>
        <translation>L&amp;atitude (°N)</translation>
    </message>
    <message>
        <source>経度（東が正、度）(&amp;O)</source>
        <translation>L&amp;ongitude (°E)</translation>
    </message>
    <message>
        <source>標高（m）(&amp;H)</source>
        <translation>&amp;Height (m)</translation>
    </message>
    <message>
        <source>保存しました。</source>
        <translation>Saved.</translation>
    </message>
    <message>
        <source>設定ファイルに保存できませんでした。</source>
        <translation>Could not save to the settings file. </translation>
    </message>
    <message>
        <source>緯度と経度を両方入れてください。</source>
        <translation>Enter both the latitude and the longitude. </translation>
    </message>
    <message>
        <source>緯度は -90 から 90 までの度数です（例: 35.68）。</source>
        <translation>The latitude is in degrees from -90 to 90 (such as 35.68). </translation>
    </message>
    <message>
        <source>経度は -360 から 360 までの度数です（例: 139.77）。</source>
        <translation>The longitude is in degrees from -360 to 360 (such as 139.77). </translation>
    </message>
    <message>
        <source>標高は -500 から 10000 までのメートルです（例: 40）。</source>
        <translation>The height is in metres from -500 to 10000 (such as 40). </translation>
    </message>
    <message>
        <source>衛星現象</source>
        <translation>Night plan</translation>
    </message>
    <message>
        <source>観測地を保存(&amp;S)</source>
        <translation>&amp;Save site</translation>
    </message>
    <message>
        <source>見える現象だけ</source>
        <translation>Only what can be seen</translation>
    </message>
    <message>
        <source>見える現象: 木星の高度10°以上、太陽の高度−6°以下（観測地がなければ地球から見えるもの）</source>
        <translation>Can be seen: Jupiter at least 10° high and the Sun at least 6° below the horizon (without a site: what the Earth can see)</translation>
    </message>
    <message>
        <source>この日時の前後（12時間前から36時間後）</source>
        <translation>12 h before to 36 h after this moment</translation>
    </message>
    <message>
        <source>この日時から%1日間</source>
        <translation>%1 days from this moment</translation>
    </message>
    <message>
        <source>CSVに書き出す…</source>
        <translation>Export CSV…</translation>
    </message>
    <message>
        <source>カレンダーに書き出す…</source>
        <translation>Export calendar…</translation>
    </message>
    <message>
        <source>表示中の行を iCalendar（.ics）ファイルに書き出します（時刻は世界時）</source>
        <translation>Writes the rows shown to an iCalendar (.ics) file (times in UT)</translation>
    </message>
    <message>
        <source>この日時の現象は計算できません（1000年から3000年まで）。</source>
        <translation>The events cannot be computed for this moment (years 1000 to 3000 only).</translation>
    </message>
    <message>
        <source>現象の時刻の計算が収束しませんでした。</source>
        <translation>The search for the events&apos; times did not converge.</translation>
    </message>
    <message>
        <source>この日時の現象は計算できません（数値の誤り）。</source>
        <translation>The events cannot be computed for this moment (a numerical error).</translation>
    </message>
    <message>
        <source>カレンダーに書き出す</source>
        <translation>Export calendar</translation>
    </message>
    <message>
        <source>CSVに書き出す</source>
        <translation>Export CSV</translation>
    </message>
    <message>
        <source>書き出しました: %1</source>
        <translation>Written: %1</translation>
    </message>
    <message>
        <source>書き出せませんでした: %1（%2）</source>
        <translation>Could not write %1 (%2)</translation>
    </message>
    <message>
        <source>書き出せませんでした: %1</source>
        <translation>Could not write: %1</translation>
    </message>
    <message>
        <source>観測地（上の緯度と経度）を入れると、夜の木星と太陽の高度を表示します。</source>
        <translation>Enter a site (the latitude and longitude above) to see Jupiter&apos;s and the Sun&apos;s altitudes through the night.</translation>
    </message>
    <message>
        <source>この夜の高度は計算できません。</source>
        <translation>This night&apos;s altitudes cannot be computed.</translation>
    </message>
    <message>
        <source>なし</source>
        <translation>none</translation>
    </message>
    <message>
        <source>%1（高度 %2°）</source>
        <translation>%1 (altitude %2°)</translation>
    </message>
    <message>
        <source>日没 %1、木星の出 %2、南中 %3、木星の入り %4、日の出 %5</source>
        <translation>Sunset %1, Jupiter rises %2, culminates %3, sets %4, sunrise %5</translation>
    </message>
    <message>
        <source>2個の衛星の現象（相互掩蔽・相互食）の行を選ぶと、その光度曲線を表示します。</source>
        <translation>Select an event of two satellites (a mutual occultation or eclipse) to see its light curve.</translation>
    </message>
    <message>
        <source>この現象の光度曲線は計算できません。</source>
        <translation>This event&apos;s light curve cannot be computed.</translation>
    </message>
    <message>
        <source>%1、極大 %2（日本時）、2個合わせて %3 等暗くなる</source>
        <translation>%1, maximum %2 JST, the pair fades by %3 mag</translation>
    </message>
</context>
<context>
    <name>veltrax::Form</name>
    <message>
        <source>終了</source>
        <translation>Exit</translation>
    </message>
    <message>
        <source>年</source>
        <translation>Y</translation>
    </message>
    <message>
        <source>月</source>
        <translation>M</translation>
    </message>
    <message>
        <source>日</source>
        <translation>D</translation>
    </message>
    <message>
        <source>今日の日付</source>
        <translation>Today</translation>
    </message>
    <message>
        <source>時</source>
        <translation>h</translation>
    </message>
    <message>
        <source>分</source>
        <translation>m</translation>
    </message>
    <message>
        <source>秒</source>
        <translation>s</translation>
    </message>
    <message>
        <source>年</source>
        <comment>the year field&apos;s accessible name</comment>
        <translation>Year</translation>
    </message>
    <message>
        <source>月</source>
        <comment>the month field&apos;s accessible name</comment>
        <translation>Month</translation>
    </message>
    <message>
        <source>日</source>
        <comment>the day field&apos;s accessible name</comment>
        <translation>Day</translation>
    </message>
    <message>
        <source>時</source>
        <comment>the hour field&apos;s accessible name</comment>
        <translation>Hour</translation>
    </message>
    <message>
        <source>分</source>
        <comment>the minute field&apos;s accessible name</comment>
        <translation>Minute</translation>
    </message>
    <message>
        <source>秒</source>
        <comment>the second field&apos;s accessible name</comment>
        <translation>Second</translation>
    </message>
    <message>
        <source>アニメーション速度</source>
        <translation>Animation speed</translation>
    </message>
    <message>
        <source>低速</source>
        <translation>Slow</translation>
    </message>
    <message>
        <source>高速</source>
        <translation>Fast</translation>
    </message>
    <message>
        <source>実時間運転</source>
        <translation>Real time</translation>
    </message>
    <message>
        <source>画面移動</source>
        <translation>Pan view</translation>
    </message>
    <message>
        <source>選択領域をｺﾋﾟｰ</source>
        <translation>Copy selection</translation>
    </message>
    <message>
        <source>I：イオ(Io)   II：エウロパ(europa)   III：ガニメデ(Ganymede)   IV：カリスト(Callisto)</source>
        <translation>I: Io   II: Europa   III: Ganymede   IV: Callisto</translation>
    </message>
    <message>
        <source>双眼鏡（正立像）</source>
        <translation>Erect (binoculars)</translation>
    </message>
    <message>
        <source>天体望遠鏡（倒立像）</source>
        <translation>Inverted (telescope)</translation>
    </message>
</context>
<context>
    <name>veltrax::GrsDialog</name>
    <message>
        <source>大赤斑の経度</source>
        <translation>Great Red Spot longitude</translation>
    </message>
    <message>
        <source>経度（体系Ⅱ、度）(&amp;L)</source>
        <translation>&amp;Longitude (System II, degrees)</translation>
    </message>
    <message>
        <source>観測日（世界時0時）(&amp;D)</source>
        <translation>&amp;Date observed (0 h UT)</translation>
    </message>
    <message>
        <source>ドリフト（度／月）(&amp;R)</source>
        <translation>D&amp;rift (degrees a month)</translation>
    </message>
    <message>
        <source>内蔵の表を使う</source>
        <translation>Use the built-in table</translation>
    </message>
    <message>
        <source>キャンセル</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>経度を入れてください（例: 100、57.5）。</source>
        <translation>Enter a longitude (such as 100 or 57.5).</translation>
    </message>
    <message>
        <source>経度は数で入れてください（例: 100、57.5）。</source>
        <translation>Enter the longitude as a number (such as 100 or 57.5).</translation>
    </message>
    <message>
        <source>経度は %1 以上 %2 以下にしてください。</source>
        <translation>The longitude must be from %1 to %2.</translation>
    </message>
    <message>
        <source>経度を測った日を入れてください（例: 2026-12-01）。</source>
        <translation>Enter the date the longitude was measured (such as 2026-12-01).</translation>
    </message>
    <message>
        <source>日付は YYYY-MM-DD の形で、暦にある日にしてください（例: 2026-12-01）。</source>
        <translation>Write the date as YYYY-MM-DD, a day the calendar has (such as 2026-12-01).</translation>
    </message>
    <message>
        <source>1か月に動く度数を数で入れてください（例: 1.5、-0.8）。空欄は 0 です。</source>
        <translation>Enter the degrees it moves in a month as a number (such as 1.5 or -0.8). Empty is 0.</translation>
    </message>
    <message>
        <source>ドリフトが大きすぎます（1日あたり%1度まで）。</source>
        <translation>The drift is too large (at most %1 degrees a day).</translation>
    </message>
</context>
<context>
    <name>veltrax::LightCurveChart</name>
    <message>
        <source>光度曲線</source>
        <translation>Light curve</translation>
    </message>
    <message>
        <source>極大からの分</source>
        <translation>Minutes from maximum</translation>
    </message>
    <message>
        <source>%1のみ</source>
        <translation>%1 alone</translation>
    </message>
    <message>
        <source>2個合わせて</source>
        <translation>Both together</translation>
    </message>
</context>
<context>
    <name>veltrax::MainWindow</name>
    <message>
        <source>設定ファイル %1 の値が使えないため、内蔵の表を使っています。OK で保存すると書き直されます。</source>
        <translation>The values in the settings file %1 cannot be used, so the built-in table is in use. OK saves and rewrites them.</translation>
    </message>
    <message>
        <source>ファイルを読めません。</source>
        <translation>The file cannot be read.</translation>
    </message>
    <message>
        <source>大赤斑の経度</source>
        <translation>Great Red Spot longitude</translation>
    </message>
    <message>
        <source>設定ファイルに保存できませんでした（この実行では使います）。</source>
        <translation>Could not save to the settings file (used for this run).</translation>
    </message>
    <message>
        <source>設定ファイル %1 の観測地の値が使えないため、観測地なしで表示しています。保存すると書き直されます。</source>
        <translation>The site in the settings file %1 cannot be used, so the plan has no site. Saving rewrites it.</translation>
    </message>
    <message>
        <source>設定ファイル %1 の表示の値が使えないため、その項目を切にしています。メニューで切り替えると書き直されます。</source>
        <translation>View values in the settings file %1 cannot be used, so those items are off (the language: Japanese). Switching them in the menu rewrites them.</translation>
    </message>
</context>
<context>
    <name>veltrax::MomentInput</name>
    <message>
        <source>ｱﾆﾒ停止</source>
        <translation>Stop</translation>
    </message>
    <message>
        <source>ｱﾆﾒｰｼｮﾝ</source>
        <translation>Animate</translation>
    </message>
</context>
<context>
    <name>veltrax::PlanModel</name>
    <message>
        <source>日時（JST）</source>
        <translation>Time (JST)</translation>
    </message>
    <message>
        <source>衛星</source>
        <translation>Satellite</translation>
    </message>
    <message>
        <source>現象</source>
        <translation>Event</translation>
    </message>
    <message>
        <source>始終</source>
        <translation>Start/end</translation>
    </message>
    <message>
        <source>木星の高度</source>
        <translation>Jupiter&apos;s altitude</translation>
    </message>
</context>
<context>
    <name>veltrax::ResultsPanel</name>
    <message>
        <source>木星の中央経度を計算、４大衛星の位置を表示します</source>
        <translation>Jupiter&apos;s central meridians and its satellites</translation>
    </message>
    <message>
        <source>日時（日本標準時、２４時間制）を入力して下さい</source>
        <translation>Enter the date and time (JST, 24-hour clock)</translation>
    </message>
    <message>
        <source>0年 </source>
        <comment>the year&apos;s pattern in the UT line</comment>
        <translation>0-</translation>
    </message>
    <message>
        <source>#月 </source>
        <comment>the month&apos;s pattern in the UT line</comment>
        <translation>00-</translation>
    </message>
    <message>
        <source>#日&#x3000;</source>
        <comment>the day&apos;s pattern in the UT line</comment>
        <translation>00  </translation>
    </message>
    <message>
        <source>00時</source>
        <comment>the hour&apos;s pattern in the UT line</comment>
        <translation>00:</translation>
    </message>
    <message>
        <source>00分</source>
        <comment>the minute&apos;s pattern in the UT line</comment>
        <translation>00:</translation>
    </message>
    <message>
        <source>00秒</source>
        <comment>the second&apos;s pattern in the UT line</comment>
        <translation>00</translation>
    </message>
    <message>
        <source>世界時（ＵＴ） %1</source>
        <comment>%1: the moment in UT</comment>
        <translation>Universal Time (UT)  %1</translation>
    </message>
    <message>
        <source>ﾕﾘｳｽ日(力学時) %2</source>
        <comment>%2: the Julian Day in dynamical time</comment>
        <translation>Julian Day (dynamical time) %2</translation>
    </message>
    <message>
        <source>中央経度（陰を含む）    輝面中央経度 </source>
        <comment>the meridians&apos; heading</comment>
        <translation>Central meridian         Illuminated disk</translation>
    </message>
    <message>
        <source>CM Ⅰ= %1&#x3000;        CMⅠcc= %2</source>
        <comment>System I: whole and illuminated disk</comment>
        <translation>CM I   = %1          CM I   = %2</translation>
    </message>
    <message>
        <source> CM Ⅱ= %3          CMⅡcc= %4 (GRS予想経度 %5)</source>
        <comment>System II: whole and illuminated disk, the spot&apos;s predicted longitude</comment>
        <translation>CM II  = %3          CM II  = %4 (GRS %5)</translation>
    </message>
    <message>
        <source> CM Ⅲ= %6          CMⅢcc= %7</source>
        <comment>System III: whole and illuminated disk</comment>
        <translation>CM III = %6          CM III = %7</translation>
    </message>
    <message>
        <source>年の最大は８５００年です</source>
        <translation>The last year is 8500</translation>
    </message>
    <message>
        <source>なし</source>
        <translation>none</translation>
    </message>
    <message>
        <source>%1°／月</source>
        <translation>%1°/month</translation>
    </message>
    <message>
        <source>大赤斑の予想経度は観測者の経度によります: %1°（%2 世界時0時）、ドリフト %3。</source>
        <translation>The Great Red Spot&apos;s predicted longitude comes from an observed longitude: %1° (%2, 0 h UT), drift %3.</translation>
    </message>
    <message>
        <source>（コマンドラインの --grs による、この実行だけの設定です）</source>
        <translation>(set for this run only by --grs on the command line)</translation>
    </message>
    <message>
        <source>大赤斑の予想経度は内蔵の表によります。表は2021年で終わり、その後は外挿のため実際の位置とずれます。</source>
        <translation>The Great Red Spot&apos;s predicted longitude comes from the built-in table. The table ends in 2021 and is extrapolated after it, so it drifts away from the real spot.</translation>
    </message>
    <message>
        <source>（コマンドラインの --grs table による、この実行だけの設定です）</source>
        <translation>(set for this run only by --grs table on the command line)</translation>
    </message>
    <message>
        <source>Ctrl+G で観測した経度を設定できます。</source>
        <translation>Ctrl+G sets an observed longitude.</translation>
    </message>
</context>
<context>
    <name>veltrax::ViewController</name>
    <message>
        <source>北</source>
        <translation>N</translation>
    </message>
    <message>
        <source>南</source>
        <translation>S</translation>
    </message>
    <message>
        <source>東</source>
        <translation>E</translation>
    </message>
    <message>
        <source>西</source>
        <translation>W</translation>
    </message>
    <message>
        <source>（大赤斑ＧＲＳや衛星はサイズを大きくしています。）</source>
        <translation>(The spot and satellites are drawn enlarged.)</translation>
    </message>
    <message>
        <source>広域</source>
        <translation>Wide</translation>
    </message>
    <message>
        <source>拡大</source>
        <translation>Zoom</translation>
    </message>
    <message>
        <source>画面を選択してください。</source>
        <translation>Select an area of the picture.</translation>
    </message>
    <message>
        <source>選択後、このボタンをクリックすると選択した領域の中心が画面の中心になるように約%1倍の大きさに拡大します。</source>
        <translation>Then this button magnifies the picture about %1 times, with the centre of the selected area in the middle.</translation>
    </message>
    <message>
        <source>ここにチェックを入れて画面をドラッグ（左クリックしたままマウスを動かす）すると画面を上下左右に移動できます。</source>
        <translation>Tick this and drag the picture (move the mouse with the left button held down) to move it up, down, left or right.</translation>
    </message>
    <message>
        <source>画面を選択しこのボタンをクリックすると選択した領域がクリップボードに転送（コピー）されます。何も選択しないと画面全てがコピーされます。</source>
        <translation>Select an area of the picture and click this button to copy it to the clipboard. With nothing selected, the whole picture is copied.</translation>
    </message>
    <message>
        <source>%1倍</source>
        <translation>%1×</translation>
    </message>
</context>
</TS>
