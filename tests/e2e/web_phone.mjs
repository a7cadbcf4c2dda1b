// Checks of the page on phones and other screens: the fit of the picture in device pixels,
// no scrolling, the touch controls (a demo recorded by a drag on the walk stick), a scripted
// gamepad, and the messages the page shows in view. Each takes a `check(condition, what)`.
import fs from 'node:fs';
import path from 'node:path';
import { spawnSync } from 'node:child_process';

const PatientMs = 60000;
const StatusPattern = /^(\d+\.\d\d FPS \(\d+\.\d\d ms\) models=\d+|Above 1000 fps)$/;
export const Phone = { deviceScaleFactor: 3, isMobile: true, hasTouch: true };

export async function waitForStatusLine(page) {
  await page.waitForFunction(
    (pattern) => new RegExp(pattern).test(document.getElementById('status').textContent),
    StatusPattern.source, { timeout: PatientMs, polling: 50 });
}

// The page's scroll extent and the picture's place and size in device pixels.
function measureLayout() {
  const ratio = window.devicePixelRatio;
  const box = document.getElementById('canvas').getBoundingClientRect();
  const walk = document.getElementById('walk').getBoundingClientRect();
  const inside = (r) => r.left >= 0 && r.top >= 0 && r.right <= innerWidth && r.bottom <= innerHeight;
  return {
    ratio, scroll: [document.documentElement.scrollWidth, document.documentElement.scrollHeight],
    viewport: [innerWidth, innerHeight], canvas: [box.width * ratio, box.height * ratio],
    canvasInside: inside(box), walkInside: walk.width > 0 && inside(walk),
  };
}

// The picture is a whole number of device pixels per frame pixel, the same across and down.
function wholeFactor(layout, frameWidth = 320, frameHeight = 240) {
  const across = layout.canvas[0] / frameWidth;
  const down = layout.canvas[1] / frameHeight;
  const whole = Math.round(across);
  return whole >= 1 && Math.abs(across - whole) < 0.01 && Math.abs(down - whole) < 0.01 ? whole : 0;
}

// Portrait and landscape: no scrolling either way, the picture and the walk stick in view at a
// whole factor; a screenshot of each is kept.
export async function checkPhoneLayouts(browser, origin, outputDir, check) {
  for (const [name, width, height] of [['portrait', 390, 844], ['landscape', 844, 390]]) {
    const context = await browser.newContext({ ...Phone, viewport: { width, height } });
    const page = await context.newPage();
    await page.goto(`${origin}/index.html`, { timeout: PatientMs });
    await waitForStatusLine(page);
    const layout = await page.evaluate(measureLayout);
    console.log(`     ${name} layout: ${JSON.stringify(layout)}`);
    check(layout.scroll[0] <= width && layout.scroll[1] <= height,
          `a ${width}x${height} phone scrolls neither across nor down`);
    check(layout.canvasInside && wholeFactor(layout) > 0,
          `on it the picture is in view at ${wholeFactor(layout)} device pixels per frame pixel`);
    check(layout.walkInside, `and the walk stick is in view`);
    await page.screenshot({ path: path.join(outputDir, `phone_${name}.png`) });
    await context.close();
  }
}

// At devicePixelRatio 1.25 on a desktop the picture is still a whole multiple of the frame.
export async function checkDesktopRatio(browser, origin, check) {
  const context = await browser.newContext({ viewport: { width: 1000, height: 700 },
                                             deviceScaleFactor: 1.25 });
  const page = await context.newPage();
  await page.goto(`${origin}/index.html`, { timeout: PatientMs });
  await waitForStatusLine(page);
  const layout = await page.evaluate(measureLayout);
  check(wholeFactor(layout) > 0 && !layout.walkInside,
        `at devicePixelRatio 1.25 the picture is ${layout.canvas} device pixels, a whole ` +
        `multiple of 320x240, and no touch control shows`);
  await context.close();
}

// Records ?record=NAME while act() drives the page, ends the session and checks the demo
// with the key checker: the keys held, in order, and the camera they moved.
async function recordAndCheck(page, origin, name, act, keys, tools, check, what) {
  await page.goto(`${origin}/index.html?record=${name}`, { timeout: PatientMs });
  await waitForStatusLine(page);
  await act();
  await page.evaluate(() => Module._EndProgram());
  await page.waitForFunction(() => Module.dravDemoStatus !== undefined, null,
                             { timeout: PatientMs, polling: 100 });
  const bytes = await page.evaluate((file) => Array.from(Module.FS.readFile(file)), name);
  const demoPath = path.join(tools.outputDir, name);
  fs.writeFileSync(demoPath, Buffer.from(bytes));
  const checker = spawnSync('python3', [tools.keyChecker, demoPath, tools.renderTool,
                                        tools.dataDir, ...keys], { encoding: 'utf8' });
  console.log(checker.stdout.trimEnd());
  check(checker.status === 0, `${what} ${checker.stderr}`);
}

// A thumb drags the walk stick upward and holds it, then drags on the picture to the right:
// the demo holds Up alone, then Right alone, each moving the camera as its key does, and
// plays back with every check matching.
export async function checkTouchWalk(browser, origin, tools, check) {
  const context = await browser.newContext({ ...Phone, viewport: { width: 390, height: 844 } });
  const page = await context.newPage();
  const touch = await context.newCDPSession(page);
  const drag = async (selector, dx, dy) => {
    const box = await page.locator(selector).boundingBox();
    const at = (step) => [{ x: box.x + box.width / 2 + dx * step,
                            y: box.y + box.height / 2 + dy * step, id: 1 }];
    await touch.send('Input.dispatchTouchEvent', { type: 'touchStart', touchPoints: at(0) });
    for (const step of [0.25, 0.6, 1]) {
      await touch.send('Input.dispatchTouchEvent', { type: 'touchMove', touchPoints: at(step) });
    }
    await page.waitForTimeout(700);
    await touch.send('Input.dispatchTouchEvent', { type: 'touchEnd', touchPoints: [] });
    await page.waitForTimeout(300);
  };
  const walkThenTurn = async () => {
    await drag('#walk', 0, -40);
    await drag('#canvas', 40, 0);
  };
  await recordAndCheck(page, origin, 'touch.dem', walkThenTurn, ['Up', 'Right'], tools, check,
                       'a drag up on the walk stick walks like a held Up key, and one to the ' +
                       'right on the picture turns like Right');
  await context.close();
}

// A scripted navigator.getGamepads: the left stick pushed up, then the right shoulder held.
export async function checkGamepad(browser, origin, tools, check) {
  const context = await browser.newContext({ viewport: { width: 800, height: 560 } });
  const page = await context.newPage();
  await page.addInitScript(() => {
    window.pad = { axes: [0, 0, 0, 0], pressed: new Array(17).fill(false) };
    navigator.getGamepads = () => [{
      id: 'scripted', index: 0, connected: true, mapping: 'standard', timestamp: 0,
      axes: window.pad.axes.slice(),
      buttons: window.pad.pressed.map((pressed) => ({ pressed, value: pressed ? 1 : 0 })),
    }];
  });
  const play = async () => {
    await page.evaluate(() => { window.pad.axes[1] = -1; });
    await page.waitForTimeout(500);
    await page.evaluate(() => { window.pad.axes[1] = 0; });
    await page.waitForTimeout(300);
    await page.evaluate(() => { window.pad.pressed[5] = true; });
    await page.waitForTimeout(500);
    await page.evaluate(() => { window.pad.pressed[5] = false; });
    await page.waitForTimeout(300);
  };
  await recordAndCheck(page, origin, 'gamepad.dem', play, ['Up', 'PageDown'], tools, check,
                       'a gamepad\'s stick walks and its right shoulder tilts down');
  await context.close();
}

// The text of the page's message panel once it shows, or null.
async function shownMessages(page) {
  return page.waitForFunction(() => {
    const panel = document.getElementById('messages');
    return !panel.hidden && panel.textContent;
  }, null, { timeout: PatientMs, polling: 100 }).then((h) => h.jsonValue(), () => null);
}

// Refused values, help, a missing file and a browser without WebAssembly are told in view.
export async function checkMessagesInView(browser, origin, check) {
  const cases = [
    ['?scale=9', "drav: --scale: '9' is not a whole number from 1 to 8"],
    ['?help', '--fps-cap N'],
    ['?vsync&fps-cap=30', '--vsync and --fps-cap exclude each other'],
    ['', 'drav.data', (page) => page.route('**/drav.data', (route) => route.fulfill({ status: 404 }))],
    ['', 'no WebAssembly', (page) => page.addInitScript(() => { delete window.WebAssembly; })],
    ['?fullscreen', 'to go fullscreen'],
  ];
  for (const [query, expected, prepare] of cases) {
    const context = await browser.newContext({ viewport: { width: 800, height: 560 } });
    const page = await context.newPage();
    await prepare?.(page);
    await page.goto(`${origin}/index.html${query}`, { timeout: PatientMs });
    const text = await shownMessages(page);
    check(text !== null && text.includes(expected),
          `index.html${query}${prepare ? ' (prepared)' : ''} shows "${expected}" in the page`);
    if (query === '?fullscreen') {
      await page.locator('#canvas').click();
      const entered = await page.waitForFunction(() => document.fullscreenElement?.id === 'stage',
                                                 null, { timeout: PatientMs, polling: 50 })
        .then(() => true, () => false);
      check(entered, 'and a click on the picture goes fullscreen');
    }
    await context.close();
  }
}
