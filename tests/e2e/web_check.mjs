// End-to-end check of the browser build. Serves the site on 127.0.0.1, opens it in headless
// Chromium and checks the status line and the title, the picture, walking with ArrowUp, that
// the keys do not scroll the page, F12's screenshot download, a clean console, that the page's
// test frames equal the headless renderer's frames byte for byte, the scale taken from the page
// address, that every key acts (through a demo recorded in the page), that ?mouse turns with
// the pointer locked by a click and freed by Escape, and that the shipped demos play back with
// every check matching; then the page on phones, touch, gamepads and its
// messages (web_phone.mjs).
// usage: node web_check.mjs SITE_DIR DRAV_RENDER DATA_DIR NODE_DIR OUTPUT_DIR KEY_CHECKER
import { execFileSync, spawnSync } from 'node:child_process';
import fs from 'node:fs';
import { createRequire } from 'node:module';
import os from 'node:os';
import path from 'node:path';

import { serveFolder } from './web_server.mjs';
import { analyseImage, changedShareAbove, keepCanvasImage, recordKeyDefaults } from './web_page.mjs';
import {
  checkDesktopRatio, checkGamepad, checkMessagesInView, checkPhoneLayouts, checkTouchWalk,
  waitForStatusLine,
} from './web_phone.mjs';

const [siteDir, renderTool, dataDir, nodeDir, outputDir, keyChecker] = process.argv.slice(2);
const { chromium } = createRequire(path.resolve(nodeDir, 'package.json'))('playwright-core');

const FrameBytes = 76800;
const PatientMs = 60000;
const WatchdogMs = 10 * 60000;
const TitlePattern = /^\d+\.\d\d FPS \(\d+\.\d\d ms\) models=(\d+)$/;
const ChromiumArgs = [
  '--headless', '--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
  '--disable-background-networking', '--disable-component-update', '--disable-sync',
];

// The start view, the level after some ticks, and cameras around the level, two of them
// facing spinning hearts.
const FrameCases = [
  { ticks: 0 },
  { ticks: 1 },
  { ticks: 250 },
  { ticks: 100, camera: [18, 2, 2.678, 0] },
  { ticks: 40, camera: [0, 0, 0.3, -0.2] },
  { ticks: 500, camera: [-20, -5, 2.7, 0.1] },
  { ticks: 77, camera: [22, -2, 3.9, -0.3] },
  { ticks: 0, camera: [10.5, 6.25, 2.5, 0.125] },
];

// The browser's key names and the key each must act as, in the order they are held.
const KeyTable = [
  ['PageUp', 'PageUp'], ['End', 'End'], ['PageDown', 'PageDown'], ['ArrowLeft', 'Left'],
  ['ArrowRight', 'Right'], ['ArrowUp', 'Up'], ['ArrowDown', 'Down'],
];
// The shipped demo runs about 78 s in real time.
const DemoPlaybackMs = 5 * 60000;

const results = { passed: 0, failed: 0 };
function check(condition, what) {
  console.log(`${condition ? 'ok  ' : 'FAIL'} ${what}`);
  results[condition ? 'passed' : 'failed'] += 1;
}

// Runs the headless renderer for one case; returns its frame bytes and model count.
function renderReference(frameCase, rawPath) {
  const args = ['--data', dataDir, '--ticks', String(frameCase.ticks), '--raw', rawPath];
  if (frameCase.camera) {
    args.push('--camera', frameCase.camera.join(','));
  }
  const output = execFileSync(renderTool, args, { encoding: 'utf8' });
  return { frame: fs.readFileSync(rawPath), models: Number(/models=(\d+)/.exec(output)?.[1]) };
}

// Renders one case through the page's exported function.
async function renderInPage(page, frameCase) {
  const [x, z, yaw, pitch] = frameCase.camera ?? [0, 0, 0, 0];
  const bytes = await page.evaluate(
    ([ticks, place, x, z, yaw, pitch, size]) => {
      const pointer = Module._RenderTestFrame(ticks, place, x, z, yaw, pitch);
      return pointer === 0 ? null : Array.from(Module.HEAPU8.subarray(pointer, pointer + size));
    },
    [frameCase.ticks, frameCase.camera ? 1 : 0, x, z, yaw, pitch, FrameBytes]);
  return bytes === null ? null : Buffer.from(bytes);
}

function describeDifference(expected, actual) {
  if (actual === null) {
    return 'the page returned no frame';
  }
  let differing = 0;
  let first = -1;
  for (let i = 0; i < FrameBytes; ++i) {
    if (expected[i] !== actual[i]) {
      differing += 1;
      first = first < 0 ? i : first;
    }
  }
  if (differing === 0) {
    return 'identical';
  }
  return `${differing} bytes differ, first at row ${Math.floor(first / 320)} column ${first % 320}`;
}

// The frame-rate text goes to the status line under the picture; the tab keeps "DRAV".
async function checkStatusLine(page, startModels) {
  await waitForStatusLine(page);
  const status = await page.locator('#status').textContent();
  const models = TitlePattern.exec(status)?.[1];
  check(status === 'Above 1000 fps' || Number(models) > 0,
        `the status line shows the frame-rate text with models above 0: "${status}"`);
  if (models !== undefined) {
    check(Number(models) === startModels,
          `the status line's model count at the start view is drav-render's (${startModels})`);
  }
  check(await page.title() === 'DRAV', 'the tab\'s title stays "DRAV"');
}

async function checkScreenshot(page) {
  const shotPath = path.join(outputDir, 'canvas.png');
  const png = await page.locator('#canvas').screenshot({ path: shotPath });
  const stats = await page.evaluate(analyseImage, `data:image/png;base64,${png.toString('base64')}`);
  console.log(`     screenshot kept at ${shotPath}: ${JSON.stringify(stats)}`);
  check(stats.width === 640 && stats.height === 480, 'the canvas shows a 640x480 picture');
  check(stats.colours >= 16 && stats.largestShare < 0.6,
        'the picture shows the level, not one colour');
  check(stats.uniformBlockShare === 1, 'every frame pixel is a sharp 2x2 block');
}

// The share of the picture that changes in half a second, with whatever keys are held.
async function changeOverHalfASecond(page) {
  await page.evaluate(keepCanvasImage);
  await page.waitForTimeout(500);
  return page.evaluate(changedShareAbove, -1);
}

async function checkWalking(page) {
  const percent = (share) => `${(share * 100).toFixed(1)}%`;
  await page.locator('#canvas').click();
  // The eye bobs and the hearts spin, so a standing camera changes part of the picture too.
  const standing = await changeOverHalfASecond(page);
  await page.evaluate(keepCanvasImage);
  await page.keyboard.down('ArrowUp');
  await page.waitForTimeout(500);
  // A busy machine may show few frames in half a second; keep the key down until the walk
  // has shown, and let the check below decide.
  await page.waitForFunction(changedShareAbove, 0.5, { timeout: PatientMs, polling: 50 })
    .catch(() => {});
  await page.keyboard.up('ArrowUp');
  const walking = await page.evaluate(changedShareAbove, -1);
  check(walking > 0.5 && walking > standing, `holding ArrowUp changes most of the picture ` +
        `(${percent(walking)}, standing still ${percent(standing)})`);
}

// F12 offers drav-0001.png for download: the 320x240 frame whose pixels drav-render draws
// again from the ticks and camera in its text chunk (drav-render draws twice the size).
async function checkScreenshotDownload(page) {
  await page.locator('#canvas').focus();
  const [download] = await Promise.all([
    page.waitForEvent('download', { timeout: PatientMs }), page.keyboard.press('F12')]);
  const shotPath = path.join(outputDir, 'drav-0001.png');
  await download.saveAs(shotPath);
  check(download.suggestedFilename() === 'drav-0001.png',
        `F12 offers the screenshot as ${download.suggestedFilename()}`);
  const magick = (tool, args) => execFileSync(tool, args, { encoding: 'utf8' });
  const view = magick('identify', ['-format', '%[drav-view]', shotPath]).trim();
  const renderedPath = path.join(outputDir, 'screenshot_rendered.png');
  const doubledPath = path.join(outputDir, 'screenshot_doubled.png');
  execFileSync(renderTool, ['--data', dataDir, ...view.split(' '), '--png', renderedPath]);
  magick('convert', [shotPath, '-scale', '200%', doubledPath]);
  // compare writes the count on stderr, and exits with 1 when the pictures differ.
  const differing = spawnSync('compare', ['-metric', 'AE', doubledPath, renderedPath, 'null:'],
                              { encoding: 'utf8' }).stderr;
  check(differing.trim() === '0',
        `the screenshot is what drav-render draws for "${view}" (${differing.trim()} differ)`);
}

async function pressKeys(page, keys) {
  for (const key of keys) {
    await page.keyboard.press(key);
  }
}

async function checkNoScrolling(page) {
  const keys = ['PageDown', 'ArrowDown', 'End'];
  await page.evaluate(recordKeyDefaults);
  await page.evaluate(() => window.scrollTo(0, 0));
  await page.locator('#canvas').focus();
  await pressKeys(page, keys);
  const seen = await page.evaluate(() => window.keyDefaults);
  check(seen.length === keys.length && seen.every(([, prevented]) => prevented),
        `the keys' default actions are prevented while the canvas has focus`);
  check(await page.evaluate(() => window.scrollY) === 0, 'so the page does not scroll');
  // The page is long enough to scroll: the same keys do once the canvas has lost focus.
  await page.evaluate(() => document.activeElement.blur());
  await pressKeys(page, keys);
  const scrolled = await page.waitForFunction(() => window.scrollY > 0, null,
                                              { timeout: PatientMs, polling: 50 })
    .then(() => true, () => false);
  check(scrolled, 'the same keys scroll the page once the canvas has lost focus');
}

// F11 puts the stage in fullscreen with the canvas at a whole multiple of the frame (of
// frameWidth x frameHeight pixels) in device pixels, centred on black; Alt+Enter leaves and the
// canvas is 640x480 again. The screenshot is kept as name.png.
async function checkFullscreen(page, frameWidth, frameHeight, name) {
  const layout = () => page.evaluate(() => {
    const stage = document.getElementById('stage').getBoundingClientRect();
    const canvas = document.getElementById('canvas').getBoundingClientRect();
    return {
      fullscreen: document.fullscreenElement?.id ?? null, ratio: window.devicePixelRatio,
      stage: [stage.width, stage.height], canvas: [canvas.x, canvas.y, canvas.width, canvas.height],
      background: getComputedStyle(document.getElementById('stage')).backgroundColor,
    };
  });
  await page.locator('#canvas').focus();
  await page.keyboard.press('F11');
  const entered = await page.waitForFunction(() => document.fullscreenElement !== null, null,
                                             { timeout: PatientMs, polling: 50 })
    .then(() => true, () => false);
  check(entered, 'F11 on the canvas puts the page\'s stage in fullscreen');
  if (entered) {
    const shown = await layout();
    console.log(`     fullscreen layout: ${JSON.stringify(shown)}`);
    const [x, y, width, height] = shown.canvas;
    const factor = Math.floor(Math.min(shown.stage[0] * shown.ratio / frameWidth,
                                       shown.stage[1] * shown.ratio / frameHeight));
    check(shown.fullscreen === 'stage' && width * shown.ratio === frameWidth * factor &&
          height * shown.ratio === frameHeight * factor,
          `the canvas is ${factor} times the ${frameWidth}x${frameHeight} frame in device pixels`);
    check(Math.abs(2 * x + width - shown.stage[0]) <= 1 &&
          Math.abs(2 * y + height - shown.stage[1]) <= 1 && shown.background === 'rgb(0, 0, 0)',
          'centred on black');
    await page.screenshot({ path: path.join(outputDir, `${name}.png`) });
  }
  await page.keyboard.press('Alt+Enter');
  const left = await page.waitForFunction(() => document.fullscreenElement === null, null,
                                          { timeout: PatientMs, polling: 50 })
    .then(() => true, () => false);
  const after = await layout();
  check(left && after.canvas[2] === 640 && after.canvas[3] === 480,
        `Alt+Enter leaves fullscreen and the canvas is 640x480 again (${after.canvas.slice(2)})`);
}

// With ?fps-cap=20 in the address the page shows about 20 frames a second: its presents are
// counted by wrapping the canvas's putImageData before the page loads.
async function checkFrameRateCap(context, origin) {
  const page = await context.newPage();
  try {
    await page.addInitScript(() => {
      window.presentCount = 0;
      const put = CanvasRenderingContext2D.prototype.putImageData;
      CanvasRenderingContext2D.prototype.putImageData = function (...args) {
        window.presentCount += 1;
        return put.apply(this, args);
      };
    });
    await page.goto(`${origin}/index.html?fps-cap=20`, { timeout: PatientMs });
    await page.waitForFunction(() => window.presentCount > 0, null,
                               { timeout: PatientMs, polling: 50 });
    const before = await page.evaluate(() => [window.presentCount, performance.now()]);
    await page.waitForTimeout(3000);
    const after = await page.evaluate(() => [window.presentCount, performance.now()]);
    const rate = (after[0] - before[0]) * 1000 / (after[1] - before[1]);
    check(rate > 14 && rate < 22, `?fps-cap=20 shows about 20 frames a second (${rate.toFixed(1)})`);
  } finally {
    await page.close();
  }
}

async function checkFrames(page) {
  for (const [index, frameCase] of FrameCases.entries()) {
    const rawPath = path.join(outputDir, `reference_${index}.raw`);
    const reference = renderReference(frameCase, rawPath);
    const actual = await renderInPage(page, frameCase);
    const verdict = describeDifference(reference.frame, actual);
    if (actual !== null && verdict !== 'identical') {
      fs.writeFileSync(path.join(outputDir, `web_${index}.raw`), actual);
    }
    check(verdict === 'identical', `frame after ${frameCase.ticks} ticks, camera ` +
          `${frameCase.camera?.join(',') ?? 'at the start'} equals drav-render's: ${verdict}`);
  }
}

// The page address is the command line: ?scale=2 makes a 640x480 frame shown pixel for pixel,
// and a bad value keeps the demo from starting (its message in the page: web_phone.mjs).
async function checkScaleFromAddress(context, origin) {
  const page = await context.newPage();
  await page.goto(`${origin}/index.html?scale=2`, { timeout: PatientMs });
  await waitForStatusLine(page);
  const size = await page.evaluate(() => `${Module.canvas.width}x${Module.canvas.height}`);
  check(size === '640x480', `?scale=2 gives a 640x480 canvas (it is ${size})`);
  const shotPath = path.join(outputDir, 'canvas_scale2.png');
  const png = await page.locator('#canvas').screenshot({ path: shotPath });
  const stats = await page.evaluate(analyseImage, `data:image/png;base64,${png.toString('base64')}`);
  console.log(`     screenshot kept at ${shotPath}: ${JSON.stringify(stats)}`);
  check(stats.width === 640 && stats.height === 480 && stats.uniformBlockShare < 0.95,
        `?scale=2 shows detail finer than 2x2 blocks (${stats.uniformBlockShare} of them uniform)`);
  await checkFullscreen(page, 640, 480, 'fullscreen_scale2');

  await page.goto(`${origin}/index.html?scale=9`, { timeout: PatientMs });
  await page.waitForTimeout(1000);
  check(await page.locator('#status').textContent() === '', 'with ?scale=9 the demo does not start');
  await page.close();
}

// Waits for the session the page runs to end and returns its status.
async function demoStatus(page, timeout) {
  await page.waitForFunction(() => Module.dravDemoStatus !== undefined, null,
                             { timeout, polling: 200 });
  return page.evaluate(() => Module.dravDemoStatus);
}

// Holds each of the browser's keys in turn while the page records a demo, then lets the checker
// compare the recorded keys and the camera with the tick rules: the expected keys must be what
// was recorded.
async function recordKeys(page, origin, name, browserKeys, expectedKeys, options = '') {
  await page.goto(`${origin}/index.html?record=${name}${options}`, { timeout: PatientMs });
  await waitForStatusLine(page);
  const titles = await page.evaluate(() => window.seenTitles);
  check(titles.length === 1 && titles[0] === 'DRAV',
        `the title is "DRAV" from the first and stays so (titles seen: ${titles.slice(0, 3)})`);
  await page.locator('#canvas').focus();
  for (const browserKey of browserKeys) {
    await page.keyboard.down(browserKey);
    await page.waitForTimeout(400);
    await page.keyboard.up(browserKey);
    await page.waitForTimeout(300);
  }
  await page.evaluate(() => Module._EndProgram());
  check(await demoStatus(page, PatientMs) === 0, 'the recording in the page closes');
  const bytes = await page.evaluate((file) => Array.from(Module.FS.readFile(file)), name);
  const demoPath = path.join(outputDir, name);
  fs.writeFileSync(demoPath, Buffer.from(bytes));
  const checker = spawnSync('python3', [keyChecker, demoPath, renderTool, dataDir,
                                        ...expectedKeys], { encoding: 'utf8' });
  console.log(checker.stdout.trimEnd());
  check(checker.status === 0, `${browserKeys} act as ${expectedKeys} ${checker.stderr}`);
}

async function checkEveryKey(page, origin) {
  await recordKeys(page, origin, 'keys.dem', KeyTable.map(([browserKey]) => browserKey),
                   KeyTable.map(([, key]) => key));
}

// ?write-config keeps walking forward on w in the page's storage: then w walks forward and
// ArrowUp does nothing; and the address wins over the kept setting, giving ArrowUp back.
async function checkBoundKey(page, origin) {
  await page.goto(`${origin}/index.html?write-config&key-forward=w`, { timeout: PatientMs });
  await page.waitForFunction(() => localStorage.getItem('drav.settings') !== null, null,
                             { timeout: PatientMs });
  check(await page.evaluate(() => localStorage.getItem('drav.settings')) === 'key-forward=w',
        'the page keeps its settings');
  await recordKeys(page, origin, 'bound.dem', ['w', 'ArrowUp'], ['Up']);
  await recordKeys(page, origin, 'unbound.dem', ['w', 'ArrowUp'], ['Up'], '&key-forward=ArrowUp');
  await page.evaluate(() => localStorage.removeItem('drav.settings'));
}

// With ?mouse, the same motion, Escape and clicks as the SDL2 program's check (mouse_window.sh)
// must record the same turns, checked by mouse_demo_check.py.
async function checkMouseTurning(page, origin) {
  await page.goto(`${origin}/index.html?mouse&mouse-sensitivity=150&record=mouse.dem`,
                  { timeout: PatientMs });
  await waitForStatusLine(page);
  const box = await page.locator('#canvas').boundingBox();
  const [x, y] = [box.x + box.width / 2, box.y + box.height / 2];
  const moveTenTimes = async (dx, dy, click) => {
    await page.mouse[click ? 'click' : 'move'](x, y);
    await page.waitForTimeout(300);
    for (let step = 1; step <= 10; ++step) {
      await page.mouse.move(x + dx * step, y + dy * step);
      await page.waitForTimeout(50);
    }
    await page.waitForTimeout(300);
  };
  await moveTenTimes(12, 0, true);
  await page.keyboard.press('Escape');
  await moveTenTimes(-12, 0, false);
  await moveTenTimes(0, -6, true);
  await page.evaluate(() => Module._EndProgram());
  check(await demoStatus(page, PatientMs) === 0, 'the mouse recording in the page closes');
  const demoPath = path.join(outputDir, 'mouse.dem');
  fs.writeFileSync(demoPath, Buffer.from(await page.evaluate(
    () => Array.from(Module.FS.readFile('mouse.dem')))));
  const checker = spawnSync('python3', [
    path.join(path.dirname(keyChecker), 'mouse_demo_check.py'), demoPath, renderTool,
    path.join(path.dirname(renderTool), '..', 'bench', 'drav-bench'), dataDir, '150',
  ], { encoding: 'utf8' });
  check(checker.status === 0, `?mouse turns with the locked pointer: ${checker.stdout.trim()}`);
}

// A shipped demo (walk.dem, or mouse.dem recorded with --mouse) plays to its end in the page,
// which then shows how it went.
async function checkDemoPlayback(page, origin, name) {
  await page.goto(`${origin}/index.html?play=${name}`, { timeout: PatientMs });
  const status = await demoStatus(page, DemoPlaybackMs);
  const report = await page.locator('#messages').textContent();
  const matched = new RegExp(`drav: demo ${name}: \\d+ ticks, all \\d+ checks matched`);
  check(status === 0 && matched.test(report) && await page.locator('#messages').isVisible(),
        `the shipped demo ${name} plays back in the page with every check matching, told in ` +
        `the page: ${status}, ${report.trim()}`);
}

async function main() {
  fs.mkdirSync(outputDir, { recursive: true });
  const startModels = renderReference(FrameCases[0], path.join(outputDir, 'start.raw')).models;
  const { server, origin } = await serveFolder(siteDir);
  const profile = fs.mkdtempSync(path.join(os.tmpdir(), 'drav-chromium-'));
  const context = await chromium.launchPersistentContext(profile, {
    executablePath: '/usr/bin/chromium', headless: true, args: ChromiumArgs,
    viewport: { width: 800, height: 560 },
  });
  const problems = [];
  try {
    const page = context.pages()[0] ?? await context.newPage();
    // Every title the page shows, from its first.
    await page.addInitScript(() => {
      window.seenTitles = [];
      const note = () => {
        if (window.seenTitles.at(-1) !== document.title) {
          window.seenTitles.push(document.title);
        }
      };
      document.addEventListener('DOMContentLoaded', () => {
        note();
        new MutationObserver(note).observe(document.querySelector('title'),
                                           { childList: true, characterData: true, subtree: true });
      });
    });
    page.on('console', (m) => m.type() === 'error' && problems.push(`console: ${m.text()}`));
    page.on('pageerror', (e) => problems.push(`page error: ${e.message}`));
    page.on('requestfailed', (r) => problems.push(`request failed: ${r.url()}`));
    page.on('response', (r) => r.status() >= 400 && problems.push(`${r.status()}: ${r.url()}`));
    await page.goto(`${origin}/index.html`, { timeout: PatientMs });
    await checkStatusLine(page, startModels);
    await checkScreenshot(page);
    await checkWalking(page);
    await checkScreenshotDownload(page);
    await checkNoScrolling(page);
    await checkFullscreen(page, 320, 240, 'fullscreen');
    await checkFrames(page);
    await checkEveryKey(page, origin);
    await checkMouseTurning(page, origin);
    await checkBoundKey(page, origin);
    await checkDemoPlayback(page, origin, 'walk.dem');
    await checkDemoPlayback(page, origin, 'mouse.dem');
    await checkScaleFromAddress(context, origin);
    await checkFrameRateCap(context, origin);
    const browser = await chromium.launch({ executablePath: '/usr/bin/chromium', headless: true,
                                            args: ChromiumArgs });
    try {
      const tools = { outputDir, keyChecker, renderTool, dataDir };
      await checkPhoneLayouts(browser, origin, outputDir, check);
      await checkDesktopRatio(browser, origin, check);
      await checkTouchWalk(browser, origin, tools, check);
      await checkGamepad(browser, origin, tools, check);
      await checkMessagesInView(browser, origin, check);
    } finally {
      await browser.close();
    }
    check(problems.length === 0, `no error in the console${problems.length ? ': ' : ''}` +
          problems.join('; '));
  } finally {
    await context.close();
    server.close();
    fs.rmSync(profile, { recursive: true, force: true });
  }
}

setTimeout(() => {
  console.error('web e2e: no result after 10 minutes');
  process.exit(1);
}, WatchdogMs).unref();

try {
  await main();
} catch (error) {
  check(false, `the check ran to its end: ${error.stack ?? error}`);
}
console.log(`web checks: ${results.passed} passed, ${results.failed} failed`);
process.exit(results.failed === 0 ? 0 : 1);
