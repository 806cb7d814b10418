// The browser build's figures, measured in the page in headless Chromium
// (Debian's, WebGL through SwiftShader), for ./bench.sh:
//
//   node bench/web-figures.cjs DIR LAUNCHES      DIR: the page (build/web)
//
// Prints "figure value" lines:
//   web_start <ms>      LAUNCHES times: from the page's navigation to the
//                       program's first buffer swap (its first frame), the
//                       start-up question answered No the moment it shows;
//                       the browser's cache off, so every launch fetches and
//                       compiles quellor.wasm afresh
//   web_ready <ms>      the same launches: navigation to quellor.wasm fetched
//   web_pass <ms>       500 intervals between consecutive buffer swaps of one
//                       run of the standing game (every idle pass swaps once)
//   web_busy <share>    over those 500 passes: the page's main thread busy
//                       (Chromium's own TaskDuration) over the wall-clock time
//   web_hidden_busy <share>  the same over 5 s with the tab hidden (another
//                       tab in front): the game stands, its turns wait
"use strict";
const path = require("path");
const { Serve, Launch, Close, OpenGame, Until, Look, sleep } = require(path.join(__dirname, "..", "tests", "browser", "page.cjs"));

const [dir, launchesText] = process.argv.slice(2);
const launches = Number(launchesText || 9);

const Swaps = (page) => Look(page, () => (typeof Module === "object" && Module.quellorWeb ? Module.quellorWeb.swaps.slice() : []));

async function Main() {
  const server = await Serve(dir);
  const browser = await Launch();
  try {
    for (let i = 0; i < launches; ++i) {
      const page = await browser.newPage();
      await page.setCacheEnabled(false);
      page.on("dialog", (dialog) => dialog.dismiss());
      await page.setViewport({ width: 1280, height: 720 });
      await page.goto(server.url, { waitUntil: "load" });
      const first = await Until("the first frame", async () => (await Swaps(page))[0], 60000);
      const ready = await Look(page, () => {
        const wasm = performance.getEntriesByType("resource").find((entry) => entry.name.endsWith("quellor.wasm"));
        return wasm ? wasm.responseEnd : 0;
      });
      console.log(`web_start ${first.toFixed(2)}`);
      console.log(`web_ready ${ready.toFixed(2)}`);
      await page.close();
    }

    const page = await OpenGame(browser, server.url, [false]);
    await Until("the game to run", async () => (await Swaps(page)).length > 50, 60000);
    const from = (await Swaps(page)).length;
    const before = await page.metrics();
    await Until("500 passes", async () => (await Swaps(page)).length > from + 500, 120000);
    const after = await page.metrics();
    const swaps = await Swaps(page);
    const run = swaps.slice(from, from + 501);  // a 20 s run stays well inside the page's 4096 kept swaps
    for (let i = 1; i < run.length; ++i) console.log(`web_pass ${(run[i] - run[i - 1]).toFixed(4)}`);
    const busy = (after.TaskDuration - before.TaskDuration) / (after.Timestamp - before.Timestamp);
    console.log(`web_busy ${busy.toFixed(4)}`);
    const other = await browser.newPage();
    await other.bringToFront();
    await Until("the tab to be hidden", () => Look(page, () => document.hidden));
    await sleep(1000);
    const hiddenBefore = await page.metrics();
    await sleep(5000);
    const hiddenAfter = await page.metrics();
    const hidden = (hiddenAfter.TaskDuration - hiddenBefore.TaskDuration) / (hiddenAfter.Timestamp - hiddenBefore.Timestamp);
    console.log(`web_hidden_busy ${hidden.toFixed(4)}`);
    await other.close();
    await page.close();
  } finally {
    await Close(browser);
    server.close();
  }
}

Main().then(() => process.exit(0), (error) => { console.error(error); process.exit(1); });
